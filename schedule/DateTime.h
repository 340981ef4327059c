#pragma once
// A local date and time to the whole second, held as an OLE Automation date, with the Chinese
// text form the program shows and reads, calendar arithmetic, and the small integer and text
// helpers used next to it. Portable C++: no Windows header.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

enum class TimeUnit : int32_t { Year = 1, Quarter, Month, Week, Day, Hour, Minute, Second };

// The six calendar fields of a date-time.
struct DateParts {
  int32_t year = 100;
  int32_t month = 1;
  int32_t day = 1;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;

  bool operator==(const DateParts& other) const {
    return year == other.year && month == other.month && day == other.day && hour == other.hour &&
           minute == other.minute && second == other.second;
  }
  bool operator!=(const DateParts& other) const { return !(*this == other); }
};

// Brings every field into range: year 100..9999, month 1..12, day 1..31, hour 0..23,
// minute and second 0..59, then the day into the length of the clamped month.
DateParts clampParts(DateParts parts);

// Replaces the full-width ASCII forms, the ideographic space, the full-width tilde and the
// two stars of a GBK text by their one-byte counterparts; copies every other character and
// drops a lead byte that stands alone at the end. nullptr counts as "".
std::string narrowText(const char* text);

struct DateTime {
  // Days from 1899-12-30 00:00; the time of day is the fraction. Before that day the integer
  // part is the negative day and the fraction still counts forward from its midnight.
  double serial = 0.0;

  static const DateTime kMin;  // 0100-01-01 00:00:00
  static const DateTime kMax;  // 9999-12-31 00:00:00

  // The local wall-clock time, to the whole second.
  static DateTime now();

  // Reads the text form (and the "-", "/", ":", "." forms, full-width digits, run-together
  // digits); kMin for any text it cannot read. nullptr counts as "".
  static DateTime fromText(const char* text);
  static std::string toText(DateTime value);

  // Omitted date fields are 1, omitted time fields 0; every field is clamped into range.
  static DateTime fromParts(std::optional<int32_t> year = {}, std::optional<int32_t> month = {},
                            std::optional<int32_t> day = {}, std::optional<int32_t> hour = {},
                            std::optional<int32_t> minute = {}, std::optional<int32_t> second = {});

  // unit: a TimeUnit code, clamped into 1..8.
  static DateTime add(DateTime value, int32_t unit, int32_t amount);
  // a - b in the unit; hours, minutes and seconds saturate at the 32-bit range.
  static double difference(DateTime a, DateTime b, int32_t unit);

  // Calendar fields, read with the range clamp and rounded to the nearest second.
  static DateParts parts(DateTime value);
  static int32_t year(DateTime value);
  static int32_t month(DateTime value);
  static int32_t day(DateTime value);
  static int32_t hour(DateTime value);
  static int32_t minute(DateTime value);
  static int32_t second(DateTime value);
  // Sunday 1 through Saturday 7.
  static int32_t weekday(DateTime value);
};

// Truncation toward zero; values beyond the type's range saturate and NaN gives 0.
int32_t truncateToInt32(double value);
int64_t truncateToInt64(double value);

// Plain decimal, a leading "-" for negatives.
std::string intToText(int32_t value);
// Joins the texts in order; nullptr counts as "".
std::string concatTexts(std::initializer_list<const char*> texts);
