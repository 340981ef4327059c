#include "schedule/DateTime.h"

#include "schedule/Texts.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>

const DateTime DateTime::kMin{-657434.0};
const DateTime DateTime::kMax{2958465.0};

namespace {

constexpr double kSecondsPerDay = 86400.0;
// Half a second in days: added before reading fields so that the small error of a sum of day
// fractions never shows as the second before.
constexpr double kHalfSecond = 5.787037037037037e-06;

// Days from 1970-01-01 to 1899-12-30, the day the serials count from.
constexpr int64_t kSerialEpochFromUnixDays = -25569;

bool isLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

constexpr int32_t kDaysPerMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int32_t daysInMonth(int32_t year, int32_t month) {
  return month == 2 && isLeapYear(year) ? 29 : kDaysPerMonth[month - 1];
}

// Proleptic Gregorian day count from 1970-01-01 (H. Hinnant's days_from_civil).
int64_t unixDaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The inverse of unixDaysFromCivil: year, month and day of a day count from 1970-01-01.
void civilFromUnixDays(int64_t days, DateParts& parts) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  parts.year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  parts.month = static_cast<int32_t>(month);
  parts.day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
}

// Builds the serial of fields that are already in range.
double serialFromParts(const DateParts& parts) {
  const double day = static_cast<double>(
      unixDaysFromCivil(parts.year, parts.month, parts.day) - kSerialEpochFromUnixDays);
  const double fraction =
      (parts.hour * 3600 + parts.minute * 60 + parts.second) * (1.0 / kSecondsPerDay);
  // Before the epoch the fraction still counts forward from the (negative) day's midnight.
  return day >= 0 ? day + fraction : day - fraction;
}

// Serials before the epoch do not grow with time (-1.25 is later than -1.5); linear days do.
double linearFromSerial(double serial) {
  return serial >= 0 ? serial : 2 * std::ceil(serial) - serial;
}

double serialFromLinear(double linear) {
  if (linear >= 0) return linear;
  const double day = std::floor(linear);
  const double serial = 2 * day - linear;
  // A hair before a midnight the fraction can round up to a whole day, and in this convention
  // that would land on the midnight two days earlier; the moment meant is the next midnight.
  return serial > day - 1 ? serial : day + 1;
}

// Serials beyond the range read as its ends; NaN, which no operation makes, reads as kMin.
double clampSerial(double serial) {
  if (!(serial >= DateTime::kMin.serial)) return DateTime::kMin.serial;
  if (serial > DateTime::kMax.serial) return DateTime::kMax.serial;
  return serial;
}

struct Decomposed {
  DateParts parts;
  int64_t dayNumber;  // whole days from 1899-12-30
};

// Rounds to the nearest second on the linear time line, so that a value a hair before
// midnight reads as the next day's midnight on both sides of the epoch.
Decomposed decompose(DateTime value) {
  const double rounded = linearFromSerial(clampSerial(value.serial)) + kHalfSecond;
  const double wholeDays = std::floor(rounded);
  const int64_t secondOfDay = std::min<int64_t>(
      static_cast<int64_t>((rounded - wholeDays) * kSecondsPerDay), 86399);
  Decomposed result;
  result.dayNumber = static_cast<int64_t>(wholeDays);
  civilFromUnixDays(result.dayNumber + kSerialEpochFromUnixDays, result.parts);
  result.parts.hour = static_cast<int32_t>(secondOfDay / 3600);
  result.parts.minute = static_cast<int32_t>(secondOfDay / 60 % 60);
  result.parts.second = static_cast<int32_t>(secondOfDay % 60);
  return result;
}

int32_t clampUnit(int32_t unit) { return std::clamp(unit, 1, 8); }

int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Reading the text form.

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads up to maxDigits decimal digits; no digit leaves 0.
int32_t readField(const std::string& text, size_t& position, int maxDigits) {
  int32_t value = 0;
  for (int read = 0; read < maxDigits && position < text.size() && isDigit(text[position]);
       ++read, ++position) {
    value = value * 10 + (text[position] - '0');
  }
  return value;
}

bool startsWithAt(const std::string& text, size_t position, const char* prefix) {
  const size_t length = std::strlen(prefix);
  return text.size() - position >= length && text.compare(position, length, prefix) == 0;
}

// Skips at most one separator after a field: one of the one-byte separators, or the field's
// own unit character.
void skipSeparator(const std::string& text, size_t& position, const char* oneByteSeparators,
                   const char* unitCharacter) {
  if (position >= text.size()) return;
  const char next = text[position];
  if (next != '\0' && std::strchr(oneByteSeparators, next) != nullptr) {
    ++position;
  } else if (startsWithAt(text, position, unitCharacter)) {
    position += std::strlen(unitCharacter);
  }
}

// How each field of the text form is read, in the order year, month, day, hour, minute,
// second: its most digits, then at most one separator (none after the second). The space
// separates the date from the time only.
struct FieldRule {
  int maxDigits;
  const char* oneByteSeparators;
  const char* unitCharacter;
};
constexpr FieldRule kFieldRules[6] = {
    {4, "/-:.", texts::kYear},   {2, "/-:.", texts::kMonth},  {2, "/-: .", texts::kDay},
    {2, "/-:.", texts::kHour},   {2, "/-:.", texts::kMinute}, {2, "", nullptr},
};

// Appends the plain decimal form ("%d") of a value.
void appendDecimal(std::string& text, int32_t value) {
  char digits[12];
  int count = 0;
  // Work on the negative magnitude so that the smallest value needs no special case.
  int32_t rest = value < 0 ? value : -value;
  do {
    digits[count++] = static_cast<char>('0' - rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) text += '-';
  while (count > 0) text += digits[--count];
}

}  // namespace

DateParts clampParts(DateParts parts) {
  parts.year = std::clamp(parts.year, 100, 9999);
  parts.month = std::clamp(parts.month, 1, 12);
  parts.day = std::clamp(parts.day, 1, 31);
  parts.hour = std::clamp(parts.hour, 0, 23);
  parts.minute = std::clamp(parts.minute, 0, 59);
  parts.second = std::clamp(parts.second, 0, 59);
  parts.day = std::min(parts.day, daysInMonth(parts.year, parts.month));
  return parts;
}

std::string narrowText(const char* text) {
  std::string narrowed;
  if (text == nullptr) return narrowed;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
      narrowed.push_back(static_cast<char>(lead));
      continue;
    }
    const unsigned char trail = p[1];
    if (trail == 0) break;  // a lead byte alone at the end is dropped
    ++p;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      narrowed.push_back(static_cast<char>(trail & 0x7F));  // full-width ASCII form
    } else if (lead == 0xA1 && trail == 0xA1) {
      narrowed.push_back(' ');  // ideographic space
    } else if (lead == 0xA1 && trail == 0xAB) {
      narrowed.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      narrowed.push_back('*');  // white and black star
    } else {
      narrowed.push_back(static_cast<char>(lead));
      narrowed.push_back(static_cast<char>(trail));
    }
  }
  return narrowed;
}

DateTime DateTime::now() {
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &seconds) != 0) return kMin;
#else
  if (localtime_r(&seconds, &local) == nullptr) return kMin;
#endif
  return fromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min, local.tm_sec);
}

DateTime DateTime::fromText(const char* text) {
  const std::string narrowed = narrowText(text);
  if (narrowed.empty()) return kMin;

  int32_t fields[6] = {};
  size_t position = 0;
  for (int i = 0; i < 6; ++i) {
    const FieldRule& rule = kFieldRules[i];
    fields[i] = readField(narrowed, position, rule.maxDigits);
    if (rule.unitCharacter != nullptr) {
      skipSeparator(narrowed, position, rule.oneByteSeparators, rule.unitCharacter);
    }
  }
  if (position < narrowed.size() && !startsWithAt(narrowed, position, texts::kSecond)) {
    return kMin;
  }

  const DateParts parts{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  if (clampParts(parts) != parts) return kMin;  // out-of-range fields, or a two-digit year
  return DateTime{serialFromParts(parts)};
}

std::string DateTime::toText(DateTime value) {
  const DateParts p = parts(value);
  std::string text;
  text.reserve(40);
  auto field = [&text](int32_t number, const char* unit) {
    appendDecimal(text, number);
    text += unit;
  };
  field(p.year, texts::kYear);
  field(p.month, texts::kMonth);
  field(p.day, texts::kDay);
  // The time part is as short as its fields allow.
  if (p.second != 0 || p.minute != 0 || p.hour != 0) field(p.hour, texts::kHour);
  if (p.second != 0 || p.minute != 0) field(p.minute, texts::kMinute);
  if (p.second != 0) field(p.second, texts::kSecond);
  return text;
}

DateTime DateTime::fromParts(std::optional<int32_t> year, std::optional<int32_t> month,
                             std::optional<int32_t> day, std::optional<int32_t> hour,
                             std::optional<int32_t> minute, std::optional<int32_t> second) {
  const DateParts parts = clampParts({year.value_or(1), month.value_or(1), day.value_or(1),
                                      hour.value_or(0), minute.value_or(0), second.value_or(0)});
  return DateTime{serialFromParts(parts)};
}

DateTime DateTime::add(DateTime value, int32_t unit, int32_t amount) {
  unit = clampUnit(unit);
  if (amount == 0) return value;

  const auto timeUnit = static_cast<TimeUnit>(unit);
  if (timeUnit == TimeUnit::Year || timeUnit == TimeUnit::Quarter ||
      timeUnit == TimeUnit::Month) {
    DateParts parts = DateTime::parts(value);
    // 64-bit sums: a year or a month count near the 32-bit limits must not wrap.
    int64_t year = parts.year;
    if (timeUnit == TimeUnit::Year) {
      year += amount;
    } else {
      const int64_t months = timeUnit == TimeUnit::Quarter ? int64_t{amount} * 3 : amount;
      const int64_t zeroBasedMonth = parts.month - 1 + months;
      // Floor division: a month below 1 borrows whole years, one above 12 carries them.
      int64_t carriedYears = zeroBasedMonth / 12;
      int64_t monthInYear = zeroBasedMonth % 12;
      if (monthInYear < 0) {
        monthInYear += 12;
        carriedYears -= 1;
      }
      year += carriedYears;
      parts.month = static_cast<int32_t>(monthInYear + 1);
    }
    parts.year = clampToInt32(year);
    return DateTime{serialFromParts(clampParts(parts))};
  }

  // Week, day, hour, minute, second: a span of days on the linear time line.
  auto spanInDays = [timeUnit](double count) {
    switch (timeUnit) {
      case TimeUnit::Week: return count * 7;
      case TimeUnit::Day: return count;
      case TimeUnit::Hour: return count / 24;
      case TimeUnit::Minute: return count / 1440;
      default: return count / kSecondsPerDay;
    }
  };
  double linear = linearFromSerial(value.serial);
  if (amount > 0) {
    linear += spanInDays(amount);
  } else {
    linear -= spanInDays(-static_cast<double>(amount));
  }
  return DateTime{serialFromLinear(linear)};
}

double DateTime::difference(DateTime a, DateTime b, int32_t unit) {
  unit = clampUnit(unit);
  if (a.serial == b.serial) return 0;

  const auto timeUnit = static_cast<TimeUnit>(unit);
  if (timeUnit == TimeUnit::Year || timeUnit == TimeUnit::Quarter ||
      timeUnit == TimeUnit::Month) {
    // Calendar units compare the fields and ignore days and times.
    const DateParts pa = parts(a);
    const DateParts pb = parts(b);
    if (timeUnit == TimeUnit::Year) return pa.year - pb.year;
    if (timeUnit == TimeUnit::Month) return 12 * (pa.year - pb.year) + pa.month - pb.month;
    return (pa.month - 1) / 3 + 4 * (pa.year - pb.year) - (pb.month - 1) / 3;
  }

  const double span =
      linearFromSerial(clampSerial(a.serial)) - linearFromSerial(clampSerial(b.serial));
  switch (timeUnit) {
    case TimeUnit::Day: return span;
    case TimeUnit::Week: {
      // Whole weeks, then one more when the rest of the span crosses into a new week.
      int64_t weeks = static_cast<int64_t>(span) / 7;
      const int32_t weekdayA = weekday(a);
      const int32_t weekdayB = weekday(b);
      if (span > 0 && weekdayA < weekdayB) {
        weeks += 1;
      } else if (span < 0 && weekdayB < weekdayA) {
        weeks -= 1;
      }
      return static_cast<double>(weeks);
    }
    // The half second puts whole-second spans safely above their integer before truncating;
    // spans beyond the 32-bit range saturate, so a far deadline never reads as passed.
    case TimeUnit::Hour: return truncateToInt32(span * 24 + kHalfSecond);
    case TimeUnit::Minute: return truncateToInt32(span * 1440 + kHalfSecond);
    default: return truncateToInt32(span * kSecondsPerDay + kHalfSecond);
  }
}

DateParts DateTime::parts(DateTime value) { return decompose(value).parts; }
int32_t DateTime::year(DateTime value) { return parts(value).year; }
int32_t DateTime::month(DateTime value) { return parts(value).month; }
int32_t DateTime::day(DateTime value) { return parts(value).day; }
int32_t DateTime::hour(DateTime value) { return parts(value).hour; }
int32_t DateTime::minute(DateTime value) { return parts(value).minute; }
int32_t DateTime::second(DateTime value) { return parts(value).second; }

int32_t DateTime::weekday(DateTime value) {
  // Day 0, 1899-12-30, was a Saturday (7).
  return static_cast<int32_t>((decompose(value).dayNumber % 7 + 13) % 7) + 1;
}

int32_t truncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

int64_t truncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (value < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);
}

std::string intToText(int32_t value) {
  std::string text;
  appendDecimal(text, value);
  return text;
}

std::string concatTexts(std::initializer_list<const char*> texts) {
  std::string joined;
  for (const char* text : texts) {
    if (text != nullptr) joined += text;
  }
  return joined;
}
