// The text form: what DateTime::fromText accepts and rejects, narrowText, DateTime::toText, and
// reading arbitrary bytes safely.
#include "schedule/DateTime.h"
#include "schedule/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct AcceptedText {
  const char* text;
  DateParts expected;
};

TEST(DateTimeFromText, ReadsEveryAcceptedForm) {
  const DateParts evening = ymdhms(2016, 5, 28, 23, 44, 29);
  const AcceptedText cases[] = {
      {"2016年5月28日23时44分29秒", evening},
      {"2016-5-28 23:44:29", evening},
      {"2016/05/28 23:44:29", evening},
      {"2016.5.28 23.44.29", evening},
      {"20160528234429", evening},
      {"２０１６年５月２８日２３时４４分２９秒", evening},
      {"２０１６／５／２８　２３：４４：２９", evening},  // full-width separators, ideographic space
      {"2016:5:28:23:44:29", evening},
      {"2016-05-28-23-44-29", evening},
      {"2016年5-28日23:44分29秒", evening},             // separators mixed freely
      {"2016年5月28日23时44分29秒尾", evening},          // text after the second unit is ignored
      {"2016年5月28日23时44分29秒 trailing words", evening},
      {"2016年5月28日23时44分29秒秒", evening},
      {"2016年5月28日23时44分29", evening},
      {"2016年5月28日23时44分29\xC4", evening},          // a lone lead byte at the end is dropped
      {"2016年5月28日", ymdhms(2016, 5, 28)},
      {"2016-5-28", ymdhms(2016, 5, 28)},
      {"20160528", ymdhms(2016, 5, 28)},
      {"2016年05月08日", ymdhms(2016, 5, 8)},
      {"2016年5月28日23时", ymdhms(2016, 5, 28, 23)},
      {"2016年5月28日23时44分", ymdhms(2016, 5, 28, 23, 44)},
      {"2016年5月28日0时5分", ymdhms(2016, 5, 28, 0, 5)},
      {"2016年5月28日0时0分5秒", ymdhms(2016, 5, 28, 0, 0, 5)},
      {"2016/5/28 7", ymdhms(2016, 5, 28, 7)},
      {"2016年2月29日", ymdhms(2016, 2, 29)},
      {"2000年2月29日", ymdhms(2000, 2, 29)},
      {"100年1月1日", ymdhms(100, 1, 1)},
      {"0100年1月1日", ymdhms(100, 1, 1)},
      {"9999年12月31日", ymdhms(9999, 12, 31)},
      {"1899年12月29日6时", ymdhms(1899, 12, 29, 6)},
      {"2016年12月31日23时59分59秒", ymdhms(2016, 12, 31, 23, 59, 59)},
  };
  for (const AcceptedText& c : cases) {
    SCOPED_TRACE(hexBytes(c.text));
    const DateTime read = DateTime::fromText(c.text);
    EXPECT_EQ(DateTime::parts(read), c.expected);
    EXPECT_EQ(read.serial, DateTime::fromParts(c.expected.year, c.expected.month, c.expected.day,
                                               c.expected.hour, c.expected.minute,
                                               c.expected.second)
                               .serial);
  }
}

TEST(DateTimeFromText, RejectsEveryOtherFormAsTheMinimum) {
  const char* const cases[] = {
      "",
      "在此点击右键或左键",
      "2016年13月40日",
      "2016年2月30日",
      "2015年2月29日",
      "1900年2月29日",             // not a leap year
      "2016年5月28日24时",
      "2016年5月28日23时60分",
      "2016年5月28日23时44分60秒",
      "2016年0月1日",
      "2016年1月0日",
      "16年5月28日",               // no two-digit years
      "99年1月1日",
      "0年1月1日",
      "2016年5月28日 23时",         // one separator only: the unit and then a space
      "2016年5月28日 ",
      " 2016年5月28日",
      "2016年5月28日　",            // ideographic space at the end
      "2016 5 28",                 // a space only after the day
      "2016--5-28",
      "2016/5/28/ 23:44:29",
      "2016年5月28日23时44分29x",
      "2016年5月28日23时44分299",   // a third digit of the second is text that is not 秒
      "2016年5月28日23时44分29分",
      "2016年5月28日23時",          // the traditional character is not a unit
      "2016年5月28號",
      "2016*5*28",
      "2016★5★28",                // stars narrow to "*", which separates nothing
      "20165",
      "2016",
      "２０１６",
      "-2016-5-28",
      "+2016-5-28",
      "\x81" "2016年5月28日",       // a lead byte takes the first digit as its pair
      "\xC4",
      "\xFF\xFF\xFF",
      "年月日时分秒",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(hexBytes(text));
    EXPECT_EQ(DateTime::fromText(text).serial, DateTime::kMin.serial);
  }
  EXPECT_EQ(DateTime::fromText(nullptr).serial, DateTime::kMin.serial);
}

TEST(DateTimeFromText, ReadsTheLastHourOfTheRangeAsItsMidnight) {
  const DateTime lastHour = DateTime::fromText("9999年12月31日23时");
  EXPECT_EQ(lastHour.serial, DateTime::kMax.serial + 23.0 / 24.0);
  EXPECT_EQ(DateTime::parts(lastHour), ymdhms(9999, 12, 31));
  EXPECT_EQ(DateTime::toText(lastHour), "9999年12月31日");
}

TEST(DateTimeFromText, MinimumIsIndistinguishableFromItsText) {
  EXPECT_EQ(DateTime::fromText("100年1月1日").serial, DateTime::kMin.serial);
  EXPECT_EQ(DateTime::toText(DateTime::kMin), "100年1月1日");
}

struct NarrowCase {
  std::string text;
  std::string expected;
};

TEST(NarrowText, ReplacesFullWidthFormsAndKeepsEverythingElse) {
  const NarrowCase cases[] = {
      {"", ""},
      {"abc 12:3", "abc 12:3"},
      {"\xA3\xB0\xA3\xB9", "09"},                  // full-width 0 and 9
      {"\xA3\xA1", "!"},                           // first full-width form
      {"\xA3\xFE", "~"},                           // last full-width form
      {"\xA3\xAF\xA3\xAD\xA3\xBA\xA3\xAE", "/-:."},
      {"\xA3\xA0", "\xA3\xA0"},                    // just below the full-width block: kept
      {"\xA3\xFF", "\xA3\xFF"},                    // just above it: kept
      {"\xA1\xA1", " "},                           // ideographic space
      {"\xA1\xAB", "~"},                           // full-width tilde
      {"\xA1\xEE\xA1\xEF", "**"},                  // white and black star
      {"\xA1\xA2", "\xA1\xA2"},
      {"年月日", "年月日"},
      {"ab\xC4", "ab"},                            // a lone lead byte at the end is dropped
      {"\xC4", ""},
      {"\xA3\xB2\xA3", "2"},
      {"\x81\x30", "\x81\x30"},                    // a lead byte pairs with whatever follows
      {"\x80\x80\xFF\xFF", "\x80\x80\xFF\xFF"},
      {"\xA3\xB1" "1\xA3\xB2", "112"},
  };
  for (const NarrowCase& c : cases) {
    SCOPED_TRACE(hexBytes(c.text));
    EXPECT_EQ(hexBytes(narrowText(c.text.c_str())), hexBytes(c.expected));
  }
  EXPECT_EQ(narrowText(nullptr), "");
}

// Every two-byte sequence after a readable text: only a lone lead byte (dropped) or the second
// unit itself keeps the text readable; everything else is trailing text that is not 秒.
TEST(DateTimeFromText, ReadsAnyTrailingBytePairSafely) {
  const DateTime expected = at(2016, 5, 28, 23, 44, 29);
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      std::string text = "2016年5月28日23时44分29";
      text += static_cast<char>(lead);
      text += static_cast<char>(trail);
      const bool readable = trail == 0 || (lead == 0xC3 && trail == 0xEB);
      const double serial = DateTime::fromText(text.c_str()).serial;
      ASSERT_EQ(serial, readable ? expected.serial : DateTime::kMin.serial)
          << "bytes " << lead << ' ' << trail;

      // After the second unit, anything at all is ignored.
      const std::string afterUnit = "2016年5月28日23时44分29秒" + text.substr(text.size() - 2);
      ASSERT_EQ(DateTime::fromText(afterUnit.c_str()).serial, expected.serial)
          << "bytes " << lead << ' ' << trail;
    }
  }
}

TEST(DateTimeFromText, ReadsAMegabyteOfTextSafely) {
  const size_t megabyte = 1 << 20;
  const DateTime expected = at(2016, 5, 28, 23, 44, 29);

  std::string highBytes;
  for (size_t i = 0; i < megabyte; ++i) highBytes += static_cast<char>(0x80 + i % 0x80);
  EXPECT_EQ(DateTime::fromText(("2016年5月28日23时44分29秒" + highBytes).c_str()).serial,
            expected.serial);
  EXPECT_EQ(DateTime::fromText(highBytes.c_str()).serial, DateTime::kMin.serial);
  // Ending in a lone lead byte.
  EXPECT_EQ(DateTime::fromText((highBytes + "\xC4").c_str()).serial, DateTime::kMin.serial);

  std::string fullWidthNines;
  for (size_t i = 0; i < megabyte / 2; ++i) fullWidthNines += "\xA3\xB9";
  EXPECT_EQ(DateTime::fromText(fullWidthNines.c_str()).serial, DateTime::kMin.serial);

  std::string ideographicSpaces;
  for (size_t i = 0; i < megabyte / 2; ++i) ideographicSpaces += "\xA1\xA1";
  EXPECT_EQ(DateTime::fromText(("2016年5月28日23时44分29" + ideographicSpaces).c_str()).serial,
            DateTime::kMin.serial);

  EXPECT_EQ(DateTime::fromText(std::string(megabyte, '7').c_str()).serial, DateTime::kMin.serial);
}

struct TextCase {
  DateTime value;
  const char* expected;
};

TEST(DateTimeToText, WritesTheShortestTimePart) {
  const TextCase cases[] = {
      {at(2016, 5, 28, 23, 44, 29), "2016年5月28日23时44分29秒"},
      {at(2016, 5, 28), "2016年5月28日"},
      {at(2016, 5, 28, 5), "2016年5月28日5时"},
      {at(2016, 5, 28, 0, 5), "2016年5月28日0时5分"},
      {at(2016, 5, 28, 0, 0, 5), "2016年5月28日0时0分5秒"},
      {at(2016, 5, 28, 10, 30), "2016年5月28日10时30分"},
      {at(2016, 5, 28, 10, 0, 1), "2016年5月28日10时0分1秒"},
      {DateTime::kMin, "100年1月1日"},
      {DateTime::kMax, "9999年12月31日"},
      {DateTime{DateTime::kMax.serial + 0.5}, "9999年12月31日"},
      {DateTime{1e300}, "9999年12月31日"},
      {DateTime{-1e9}, "100年1月1日"},
      {DateTime{std::numeric_limits<double>::quiet_NaN()}, "100年1月1日"},
      {DateTime{0.0}, "1899年12月30日"},
      {DateTime{-1.25}, "1899年12月29日6时"},
      {DateTime{-0.5}, "1899年12月30日12时"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.value.serial);
    EXPECT_EQ(hexBytes(DateTime::toText(c.value)), hexBytes(c.expected));
  }
}

TEST(DateTimeToText, UsesTheGbkUnitCharacters) {
  EXPECT_EQ(DateTime::toText(at(2016, 5, 28, 23, 44, 29)),
            "2016\xC4\xEA" "5\xD4\xC2" "28\xC8\xD5" "23\xCA\xB1" "44\xB7\xD6" "29\xC3\xEB");
}

}  // namespace
