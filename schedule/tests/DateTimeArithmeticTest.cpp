// Building values from fields, reading fields back, adding units, differences by unit, and the
// integer and text helpers.
#include "schedule/DateTime.h"
#include "schedule/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr int32_t kYear = 1, kQuarter = 2, kMonth = 3, kWeek = 4, kDay = 5, kHour = 6,
                  kMinute = 7, kSecond = 8;

TEST(DateTimeRange, EndsHaveTheirSerials) {
  EXPECT_EQ(DateTime::kMin.serial, -657434.0);
  EXPECT_EQ(DateTime::kMax.serial, 2958465.0);
  EXPECT_EQ(DateTime::parts(DateTime::kMin), ymdhms(100, 1, 1));
  EXPECT_EQ(DateTime::parts(DateTime::kMax), ymdhms(9999, 12, 31));
}

struct SerialCase {
  DateTime value;
  double serial;
};

TEST(DateTimeFromParts, FollowsTheAutomationDateConvention) {
  const SerialCase cases[] = {
      {at(1899, 12, 30), 0.0},
      {at(1899, 12, 31), 1.0},
      {at(1900, 1, 1), 2.0},
      {at(1899, 12, 29, 6), -1.25},   // before the epoch the fraction still counts forward
      {at(1899, 12, 29, 18), -1.75},
      {at(1899, 12, 30, 12), 0.5},
      {at(2016, 5, 28), 42518.0},
      {at(2016, 5, 28, 12), 42518.5},
      {at(100, 1, 1), -657434.0},
      {at(9999, 12, 31), 2958465.0},
  };
  for (const SerialCase& c : cases) {
    EXPECT_EQ(c.value.serial, c.serial);
  }
}

struct PartsCase {
  DateTime value;
  DateParts expected;
};

TEST(DateTimeFromParts, ClampsEveryPart) {
  const PartsCase cases[] = {
      {at(2016, 5, 28, 23, 59, 30), ymdhms(2016, 5, 28, 23, 59, 30)},
      {at(2016, 5, 28, 24, 59, 30), ymdhms(2016, 5, 28, 23, 59, 30)},
      {at(2016, 2, 30), ymdhms(2016, 2, 29)},
      {at(2015, 2, 30), ymdhms(2015, 2, 28)},
      {at(2016, 4, 31), ymdhms(2016, 4, 30)},
      {at(2016, 13, 40), ymdhms(2016, 12, 31)},
      {at(2016, 0, 0), ymdhms(2016, 1, 1)},
      {at(2016, -5, -5, -5, -5, -5), ymdhms(2016, 1, 1)},
      {at(99, 1, 1), ymdhms(100, 1, 1)},
      {at(10000, 2, 29), ymdhms(9999, 2, 28)},
      {at(kInt32Min, kInt32Min, kInt32Min, kInt32Min, kInt32Min, kInt32Min), ymdhms(100, 1, 1)},
      {at(kInt32Max, 12, 30, kInt32Max, kInt32Max, kInt32Max), ymdhms(9999, 12, 30, 23, 59, 59)},
      {at(2016, 5, 28, 12, 60, 60), ymdhms(2016, 5, 28, 12, 59, 59)},
      {DateTime::fromParts(), ymdhms(100, 1, 1)},
      {DateTime::fromParts(2016), ymdhms(2016, 1, 1)},
      {DateTime::fromParts(2016, 5), ymdhms(2016, 5, 1)},
      {DateTime::fromParts(2016, 5, 28, 7), ymdhms(2016, 5, 28, 7)},
  };
  for (const PartsCase& c : cases) {
    EXPECT_EQ(DateTime::parts(c.value), c.expected);
  }
  EXPECT_EQ(DateTime::toText(at(2016, 5, 28, 23, 59, 30)), "2016年5月28日23时59分30秒");
  // The very last second is built, though reading its fields gives the range end's midnight.
  EXPECT_EQ(at(kInt32Max, kInt32Max, kInt32Max, kInt32Max, kInt32Max, kInt32Max).serial,
            2958465.0 + 86399 * (1.0 / 86400));
}

TEST(ClampParts, ClampsEachFieldThenTheDayIntoItsMonth) {
  const struct {
    DateParts in;
    DateParts out;
  } cases[] = {
      {ymdhms(2016, 5, 28, 23, 44, 29), ymdhms(2016, 5, 28, 23, 44, 29)},
      {ymdhms(2016, 13, 31), ymdhms(2016, 12, 31)},
      {ymdhms(2015, 2, 31), ymdhms(2015, 2, 28)},
      {ymdhms(2000, 2, 31), ymdhms(2000, 2, 29)},
      {ymdhms(1900, 2, 29), ymdhms(1900, 2, 28)},
      {ymdhms(10000, 2, 29), ymdhms(9999, 2, 28)},  // the year is clamped before the day
      {ymdhms(0, 0, 0, -1, -1, -1), ymdhms(100, 1, 1)},
      {ymdhms(2016, 6, 99, 24, 60, 60), ymdhms(2016, 6, 30, 23, 59, 59)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(clampParts(c.in), c.out);
  }
}

TEST(DateTimeFields, ReadTheRangeEndsForSerialsBeyondThem) {
  const PartsCase cases[] = {
      {DateTime{DateTime::kMax.serial + 0.75}, ymdhms(9999, 12, 31)},
      {DateTime{1e300}, ymdhms(9999, 12, 31)},
      {DateTime{kInfinity}, ymdhms(9999, 12, 31)},
      {DateTime{DateTime::kMin.serial - 0.5}, ymdhms(100, 1, 1)},
      {DateTime{-1e300}, ymdhms(100, 1, 1)},
      {DateTime{-kInfinity}, ymdhms(100, 1, 1)},
      {DateTime{kNaN}, ymdhms(100, 1, 1)},
  };
  for (const PartsCase& c : cases) {
    SCOPED_TRACE(c.value.serial);
    EXPECT_EQ(DateTime::parts(c.value), c.expected);
  }
}

TEST(DateTimeFields, RoundToTheNearestSecond) {
  const double evening = at(2016, 5, 28, 23, 44, 29).serial;
  const double second = 1.0 / 86400;
  const PartsCase cases[] = {
      {DateTime{evening - 1e-9}, ymdhms(2016, 5, 28, 23, 44, 29)},
      {DateTime{evening + 0.49 * second}, ymdhms(2016, 5, 28, 23, 44, 29)},
      {DateTime{evening + 0.51 * second}, ymdhms(2016, 5, 28, 23, 44, 30)},
      {DateTime{42518.9999999}, ymdhms(2016, 5, 29)},
      {DateTime{-1.25 - 1e-9}, ymdhms(1899, 12, 29, 6)},
      {DateTime{-1.25 + 1e-9}, ymdhms(1899, 12, 29, 6)},
      // A hair before midnight before the epoch is the next day's midnight, as after it.
      {DateTime{-2.9999999999}, ymdhms(1899, 12, 29)},
      {DateTime{-1.9999999999}, ymdhms(1899, 12, 30)},
      {DateTime{-0.9999999999}, ymdhms(1899, 12, 31)},
      {DateTime{-1.0000000001}, ymdhms(1899, 12, 29)},
      {DateTime{-0.0}, ymdhms(1899, 12, 30)},
  };
  for (const PartsCase& c : cases) {
    SCOPED_TRACE(c.value.serial);
    EXPECT_EQ(DateTime::parts(c.value), c.expected);
  }
}

TEST(DateTimeFields, AccessorsReadEachField) {
  const DateTime value = at(2016, 5, 28, 23, 44, 29);
  EXPECT_EQ(DateTime::year(value), 2016);
  EXPECT_EQ(DateTime::month(value), 5);
  EXPECT_EQ(DateTime::day(value), 28);
  EXPECT_EQ(DateTime::hour(value), 23);
  EXPECT_EQ(DateTime::minute(value), 44);
  EXPECT_EQ(DateTime::second(value), 29);
}

TEST(DateTimeFields, WeekdayCountsSundayAsOne) {
  const struct {
    DateTime value;
    int32_t weekday;
  } cases[] = {
      {at(1899, 12, 30), 7}, {at(1899, 12, 31), 1}, {at(1899, 12, 29, 6), 6},
      {at(2016, 5, 28), 7},  {at(2016, 5, 29), 1},  {at(2016, 5, 30, 23, 59, 59), 2},
      {at(100, 1, 1), 6},    {at(9999, 12, 31), 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.serial);
    EXPECT_EQ(DateTime::weekday(c.value), c.weekday);
  }
}

struct AddCase {
  DateTime start;
  int32_t unit;
  int32_t amount;
  DateParts expected;
};

TEST(DateTimeAdd, AddsEachUnit) {
  const DateTime evening = at(2016, 5, 28, 23, 44, 29);
  const AddCase cases[] = {
      {at(2016, 5, 29, 0, 0, 5), kSecond, -10, ymdhms(2016, 5, 28, 23, 59, 55)},
      {evening, kSecond, 10, ymdhms(2016, 5, 28, 23, 44, 39)},
      {evening, kSecond, 31, ymdhms(2016, 5, 28, 23, 45, 0)},
      {evening, kSecond, 931, ymdhms(2016, 5, 29, 0, 0, 0)},
      {evening, kMinute, 60, ymdhms(2016, 5, 29, 0, 44, 29)},
      {evening, kMinute, -1440, ymdhms(2016, 5, 27, 23, 44, 29)},
      {at(2016, 12, 31, 23), kHour, 1, ymdhms(2017, 1, 1)},
      {at(2016, 3, 1), kDay, -1, ymdhms(2016, 2, 29)},
      {at(2016, 5, 28), kWeek, 1, ymdhms(2016, 6, 4)},
      {at(2016, 5, 28), kWeek, -1, ymdhms(2016, 5, 21)},
      {at(2016, 1, 31, 12), kMonth, 1, ymdhms(2016, 2, 29, 12)},
      {at(2015, 1, 31), kMonth, 1, ymdhms(2015, 2, 28)},
      {at(2016, 1, 15, 8, 30), kMonth, -1, ymdhms(2015, 12, 15, 8, 30)},
      {at(2016, 1, 15), kMonth, -13, ymdhms(2014, 12, 15)},
      {at(2016, 1, 15), kMonth, -24, ymdhms(2014, 1, 15)},
      {at(2016, 12, 15), kMonth, 13, ymdhms(2018, 1, 15)},
      {at(2016, 12, 15), kMonth, 12, ymdhms(2017, 12, 15)},
      {at(2016, 11, 30), kQuarter, 1, ymdhms(2017, 2, 28)},
      {at(2016, 5, 31), kQuarter, -1, ymdhms(2016, 2, 29)},
      {at(2016, 2, 29), kYear, 1, ymdhms(2017, 2, 28)},
      {at(2016, 2, 29), kYear, 4, ymdhms(2020, 2, 29)},
      {at(2016, 2, 29), kYear, -100, ymdhms(1916, 2, 29)},
      {at(1900, 2, 28), kYear, 100, ymdhms(2000, 2, 28)},
      // The calendar units stop at the range's ends, keeping the time of day.
      {at(9999, 6, 1, 5), kYear, 1, ymdhms(9999, 6, 1, 5)},
      {at(100, 6, 1), kYear, -1, ymdhms(100, 6, 1)},
      {at(9999, 11, 15), kMonth, 3, ymdhms(9999, 2, 15)},
      // Amounts at the 32-bit limits neither wrap nor take long.
      {at(2016, 5, 28), kYear, kInt32Max, ymdhms(9999, 5, 28)},
      {at(2016, 5, 28), kYear, kInt32Min, ymdhms(100, 5, 28)},
      {at(2016, 5, 28), kMonth, kInt32Max, ymdhms(9999, 12, 28)},
      {at(2016, 5, 28), kMonth, kInt32Min, ymdhms(100, 9, 28)},
      {at(2016, 5, 28), kQuarter, kInt32Max, ymdhms(9999, 2, 28)},
      {evening, kSecond, kInt32Max, ymdhms(2084, 6, 16, 2, 58, 36)},
      {evening, kSecond, kInt32Min, ymdhms(1948, 5, 10, 20, 30, 21)},
      {at(2016, 5, 28), kDay, kInt32Max, ymdhms(9999, 12, 31)},
      {at(2016, 5, 28), kWeek, kInt32Min, ymdhms(100, 1, 1)},
      // Before the epoch: time runs forward through the negative serials.
      {DateTime{-1.25}, kHour, 1, ymdhms(1899, 12, 29, 7)},
      {DateTime{-1.25}, kHour, 18, ymdhms(1899, 12, 30)},
      {DateTime{-1.25}, kHour, -7, ymdhms(1899, 12, 28, 23)},
      {DateTime{0.25}, kDay, -1, ymdhms(1899, 12, 29, 6)},
      {at(1899, 12, 28, 23, 59, 59), kSecond, 1, ymdhms(1899, 12, 29)},
      {at(1899, 12, 29, 23, 59, 59), kSecond, 1, ymdhms(1899, 12, 30)},
      {at(1899, 12, 30), kSecond, -1, ymdhms(1899, 12, 29, 23, 59, 59)},
      {at(1899, 12, 30, 0, 0, 1), kSecond, -2, ymdhms(1899, 12, 29, 23, 59, 59)},
      {at(1899, 1, 31, 6), kMonth, 1, ymdhms(1899, 2, 28, 6)},
  };
  for (const AddCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "serial " << c.start.serial << ", unit " << c.unit
                                    << ", amount " << c.amount);
    EXPECT_EQ(DateTime::parts(DateTime::add(c.start, c.unit, c.amount)), c.expected);
  }
}

TEST(DateTimeAdd, ExactSerialsBeforeTheEpoch) {
  EXPECT_EQ(DateTime::add(DateTime{0.25}, kDay, -1).serial, -1.25);
  EXPECT_EQ(DateTime::add(DateTime{-1.25}, kDay, 1).serial, 0.25);
  EXPECT_EQ(DateTime::add(DateTime{-1.25}, kHour, 6).serial, -1.5);
  EXPECT_EQ(DateTime::add(DateTime{-1.25}, kHour, 18).serial, 0.0);
}

TEST(DateTimeAdd, ZeroReturnsTheValueBitForBit) {
  const double serials[] = {42518.123456789, DateTime::kMax.serial + 0.123, -1e9, -1.25, kNaN};
  const int32_t units[] = {kInt32Min, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, kInt32Max};
  for (double serial : serials) {
    for (int32_t unit : units) {
      const DateTime result = DateTime::add(DateTime{serial}, unit, 0);
      EXPECT_EQ(std::memcmp(&result.serial, &serial, sizeof serial), 0) << serial << ' ' << unit;
    }
  }
}

TEST(DateTimeAdd, ResultsBeyondTheRangeAreKeptAndReadAsItsEnds) {
  const DateTime belowMin = DateTime::add(DateTime::kMin, kSecond, -1);
  EXPECT_LT(belowMin.serial, DateTime::kMin.serial);
  EXPECT_EQ(DateTime::parts(belowMin), ymdhms(100, 1, 1));

  const DateTime aboveMax = DateTime::add(DateTime::kMax, kDay, 1);
  EXPECT_EQ(aboveMax.serial, DateTime::kMax.serial + 1);
  EXPECT_EQ(DateTime::parts(aboveMax), ymdhms(9999, 12, 31));
}

TEST(DateTimeAdd, ClampsTheUnitCode) {
  const DateTime start = at(2016, 5, 28, 23, 44, 29);
  for (int32_t low : {kInt32Min, -7, 0}) {
    EXPECT_EQ(DateTime::add(start, low, 1).serial, DateTime::add(start, kYear, 1).serial);
  }
  for (int32_t high : {9, 100, kInt32Max}) {
    EXPECT_EQ(DateTime::add(start, high, 1).serial, DateTime::add(start, kSecond, 1).serial);
  }
  EXPECT_EQ(DateTime::parts(DateTime::add(start, 9, 1)), ymdhms(2016, 5, 28, 23, 44, 30));
}

struct DifferenceCase {
  DateTime a;
  DateTime b;
  int32_t unit;
  double expected;
};

TEST(DateTimeDifference, MeasuresEachUnit) {
  const DateTime x = at(2016, 5, 28, 23, 44, 29);
  auto plusSeconds = [&](int32_t seconds) { return DateTime::add(x, kSecond, seconds); };
  const DifferenceCase cases[] = {
      // Seconds: D when D >= 0, D + 1 when D < 0.
      {x, x, kSecond, 0},
      {plusSeconds(10), x, kSecond, 10},
      {plusSeconds(1), x, kSecond, 1},
      {plusSeconds(-1), x, kSecond, 0},
      {plusSeconds(-2), x, kSecond, -1},
      {plusSeconds(-10), x, kSecond, -9},
      {DateTime::add(x, kDay, 1), x, kSecond, 86400},
      {DateTime::add(x, kDay, -1), x, kSecond, -86399},
      // Minutes and hours truncate toward zero the same way.
      {plusSeconds(59), x, kMinute, 0},
      {plusSeconds(60), x, kMinute, 1},
      {plusSeconds(-60), x, kMinute, 0},
      {plusSeconds(-120), x, kMinute, -1},
      {plusSeconds(5400), x, kHour, 1},
      {plusSeconds(-5400), x, kHour, -1},
      {plusSeconds(-3600), x, kHour, 0},
      {plusSeconds(-7200), x, kHour, -1},
      // Days keep the fraction.
      {at(2016, 5, 29, 6), at(2016, 5, 28), kDay, 1.25},
      {at(2016, 5, 28), at(2016, 5, 29, 6), kDay, -1.25},
      // Weeks: whole weeks, plus one for each Sunday boundary the remainder crosses.
      {at(2016, 5, 29), at(2016, 5, 28), kWeek, 1},
      {at(2016, 5, 29), at(2016, 5, 28, 23, 59, 59), kWeek, 1},
      {at(2016, 5, 28), at(2016, 5, 22), kWeek, 0},
      {at(2016, 5, 29), at(2016, 5, 22), kWeek, 1},
      {at(2016, 6, 12), at(2016, 5, 28), kWeek, 3},
      {at(2016, 6, 11), at(2016, 5, 28), kWeek, 2},
      {at(2016, 5, 28), at(2016, 5, 29), kWeek, -1},
      {at(2016, 5, 22), at(2016, 5, 28), kWeek, 0},
      {at(2016, 5, 28), at(2016, 6, 12), kWeek, -3},
      // Months, quarters and years ignore days and times.
      {at(2017, 1, 1), at(2016, 12, 31, 23, 59, 59), kMonth, 1},
      {at(2016, 12, 31), at(2017, 1, 1), kMonth, -1},
      {at(2016, 5, 31), at(2016, 5, 1), kMonth, 0},
      {at(2018, 3, 1), at(2016, 5, 28), kMonth, 22},
      {at(2016, 4, 1), at(2016, 3, 31), kQuarter, 1},
      {at(2016, 3, 31), at(2016, 1, 1), kQuarter, 0},
      {at(2017, 1, 1), at(2016, 12, 31), kQuarter, 1},
      {at(2015, 12, 31), at(2016, 1, 1), kQuarter, -1},
      {at(2018, 7, 1), at(2016, 5, 28), kQuarter, 9},
      {at(2017, 1, 1), at(2016, 12, 31), kYear, 1},
      {at(2016, 12, 31), at(2016, 1, 1), kYear, 0},
      {at(1899, 12, 31), at(2016, 5, 28), kYear, -117},
      // Before the epoch the span is taken on linear days.
      {DateTime{-1.25}, DateTime{-1.5}, kDay, -0.25},
      {DateTime{0.25}, DateTime{-1.25}, kHour, 24},
      {DateTime{-1.25}, DateTime{0.0}, kMinute, -1079},
      {DateTime{-1.25}, DateTime{-1.75}, kSecond, -43199},
      // The range clamp applies before measuring.
      {DateTime{DateTime::kMax.serial + 5}, DateTime::kMax, kDay, 0},
      {DateTime{DateTime::kMax.serial + 5}, DateTime::kMax, kSecond, 0},
      {DateTime::kMax, DateTime::kMin, kDay, 3615899},
      {DateTime::kMax, DateTime::kMin, kHour, 86781576},
      {DateTime::kMax, DateTime{-1e300}, kYear, 9899},
      // Hours, minutes and seconds beyond the 32-bit range saturate, keeping the sign.
      {at(2100, 1, 1), at(2026, 12, 11), kSecond, kInt32Max},
      {at(2026, 12, 11), at(2100, 1, 1), kSecond, kInt32Min},
      {DateTime::kMin, at(2026, 12, 11), kSecond, kInt32Min},
      {DateTime::kMax, DateTime::kMin, kMinute, kInt32Max},
      {DateTime::kMin, DateTime::kMax, kMinute, kInt32Min},
      {at(2084, 6, 16, 2, 58, 36), x, kSecond, kInt32Max},
      {at(2084, 6, 16, 2, 58, 35), x, kSecond, kInt32Max - 1},
  };
  for (const DifferenceCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "a " << c.a.serial << ", b " << c.b.serial << ", unit "
                                    << c.unit);
    EXPECT_EQ(DateTime::difference(c.a, c.b, c.unit), c.expected);
  }
}

TEST(DateTimeDifference, ClampsTheUnitCode) {
  const DateTime a = at(2017, 1, 1);
  const DateTime b = at(2016, 12, 31, 23, 59, 50);
  for (int32_t low : {kInt32Min, -3, 0}) EXPECT_EQ(DateTime::difference(a, b, low), 1);
  for (int32_t high : {9, 1000, kInt32Max}) EXPECT_EQ(DateTime::difference(a, b, high), 10);
}

TEST(DateTimeNow, IsOnAWholeSecondWithinTheRange) {
  const DateTime now = DateTime::now();
  EXPECT_GT(now.serial, at(2020, 1, 1).serial);
  EXPECT_LT(now.serial, DateTime::kMax.serial);
  const DateParts parts = DateTime::parts(now);
  EXPECT_EQ(now.serial, at(parts.year, parts.month, parts.day, parts.hour, parts.minute,
                           parts.second).serial);
}

TEST(IntegerHelpers, TruncateTowardZeroAndSaturate) {
  const struct {
    double value;
    int32_t expected;
  } cases32[] = {
      {0.0, 0},
      {-0.5, 0},
      {1.9, 1},
      {-1.9, -1},
      {2147483647.0, kInt32Max},
      {2147483647.9, kInt32Max},
      {2147483648.0, kInt32Max},
      {1e20, kInt32Max},
      {kInfinity, kInt32Max},
      {-2147483648.0, kInt32Min},
      {-2147483648.9, kInt32Min},
      {-2147483649.0, kInt32Min},
      {-kInfinity, kInt32Min},
      {kNaN, 0},
  };
  for (const auto& c : cases32) EXPECT_EQ(truncateToInt32(c.value), c.expected) << c.value;

  const struct {
    double value;
    int64_t expected;
  } cases64[] = {
      {-3.7, -3},
      {4503599627370497.0, 4503599627370497},
      {9.2e18, 9200000000000000000},
      {9223372036854775807.0, kInt64Max},  // rounds to 2^63, one past the largest value
      {1e300, kInt64Max},
      {kInfinity, kInt64Max},
      {-9223372036854775808.0, kInt64Min},
      {-1e19, kInt64Min},
      {-kInfinity, kInt64Min},
      {kNaN, 0},
  };
  for (const auto& c : cases64) EXPECT_EQ(truncateToInt64(c.value), c.expected) << c.value;
}

TEST(TextHelpers, WritePlainDecimalAndJoinTexts) {
  EXPECT_EQ(intToText(0), "0");
  EXPECT_EQ(intToText(7), "7");
  EXPECT_EQ(intToText(-7), "-7");
  EXPECT_EQ(intToText(1000000), "1000000");
  EXPECT_EQ(intToText(kInt32Max), "2147483647");
  EXPECT_EQ(intToText(kInt32Min), "-2147483648");

  EXPECT_EQ(concatTexts({}), "");
  EXPECT_EQ(concatTexts({"a", nullptr, "", "b"}), "ab");
  EXPECT_EQ(concatTexts({nullptr}), "");
  EXPECT_EQ(concatTexts({"1", "小时", "2", "分钟"}), "1小时2分钟");
}

}  // namespace
