// Every day of the range, 0100-01-01 to 9999-12-31, checked against a plain one-day stepper:
// the fields of serial n + 1 follow those of serial n, fields -> serial -> fields round-trips,
// and the text form reads back to the same value.
#include "schedule/DateTime.h"
#include "schedule/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An independent calendar: the next day by counting, nothing shared with DateTime.
struct DayStepper {
  int32_t year = 100;
  int32_t month = 1;
  int32_t day = 1;
  int32_t weekday = 6;  // 0100-01-01 was a Friday; Sunday is 1

  int32_t monthLength() const {
    if (month == 2) {
      const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
      return leap ? 29 : 28;
    }
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
  }

  void next() {
    weekday = weekday % 7 + 1;
    if (++day <= monthLength()) return;
    day = 1;
    if (++month <= 12) return;
    month = 1;
    ++year;
  }
};

// Each check is a plain comparison first: the sweep makes tens of millions of them, and the
// assertion machinery only runs for a mismatch.
TEST(CalendarSweep, EveryDayOfTheRange) {
  DayStepper calendar;
  DateParts previous;
  int64_t days = 0;
  for (int64_t n = -657434; n <= 2958465; ++n, calendar.next(), ++days) {
    const DateTime midnight{static_cast<double>(n)};
    const DateParts date = ymdhms(calendar.year, calendar.month, calendar.day);
    if (DateTime::parts(midnight) != date) {
      ASSERT_EQ(DateTime::parts(midnight), date) << "serial " << n;
    }
    if (DateTime::fromParts(date.year, date.month, date.day).serial != midnight.serial) {
      ASSERT_EQ(DateTime::fromParts(date.year, date.month, date.day).serial, midnight.serial);
    }
    if (DateTime::weekday(midnight) != calendar.weekday) {
      ASSERT_EQ(DateTime::weekday(midnight), calendar.weekday) << "serial " << n;
    }

    // A different time of day on each day, so every text form appears many times over.
    const int32_t secondOfDay = static_cast<int32_t>(((n * 7919) % 86400 + 86400) % 86400);
    const DateParts timed = ymdhms(date.year, date.month, date.day, secondOfDay / 3600,
                                   secondOfDay / 60 % 60, secondOfDay % 60);
    const DateTime value = DateTime::fromParts(timed.year, timed.month, timed.day, timed.hour,
                                               timed.minute, timed.second);
    const DateParts valueParts = DateTime::parts(value);
    const std::string text = DateTime::toText(value);
    const DateTime reread = DateTime::fromText(text.c_str());
    // Times of day on the range's first and last days read as their midnights.
    const bool rangeEnd = n == -657434 || n == 2958465;
    if (valueParts != (rangeEnd ? date : timed)) {
      ASSERT_EQ(valueParts, rangeEnd ? date : timed) << "serial " << n;
    }
    if (rangeEnd ? DateTime::parts(reread) != date : reread.serial != value.serial) {
      ADD_FAILURE() << "text " << hexBytes(text) << " reads back as serial " << reread.serial
                    << ", not " << value.serial;
      return;
    }

    // Stepping a second over each midnight, either way, on the linear time line.
    if (n > -657434) {
      const DateParts lastSecond = n == -657433 ? previous
                                                : ymdhms(previous.year, previous.month,
                                                         previous.day, 23, 59, 59);
      const DateParts back = DateTime::parts(DateTime::add(midnight, 8, -1));
      if (back != lastSecond) {
        ASSERT_EQ(back, lastSecond) << "a second before serial " << n;
      }
      const DateTime beforeMidnight =
          DateTime::fromParts(previous.year, previous.month, previous.day, 23, 59, 59);
      const DateParts forward = DateTime::parts(DateTime::add(beforeMidnight, 8, 1));
      if (forward != date) {
        ASSERT_EQ(forward, date) << "a second after serial " << n - 1 << " 23:59:59";
      }
    }
    previous = date;
  }
  EXPECT_EQ(days, 3615900);
  EXPECT_EQ(calendar.year, 10000);
}

}  // namespace
