#pragma once
// Small helpers shared by the core's tests.

#include "schedule/DateTime.h"

#include <ostream>
#include <string>

inline void PrintTo(const DateParts& p, std::ostream* out) {
  *out << p.year << '-' << p.month << '-' << p.day << ' ' << p.hour << ':' << p.minute << ':'
       << p.second;
}

inline DateParts ymdhms(int32_t year, int32_t month, int32_t day, int32_t hour = 0,
                        int32_t minute = 0, int32_t second = 0) {
  return DateParts{year, month, day, hour, minute, second};
}

inline DateTime at(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0,
                   int32_t second = 0) {
  return DateTime::fromParts(year, month, day, hour, minute, second);
}

// Shows the bytes of a GBK text in failure messages, where they would print as mojibake.
inline std::string hexBytes(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}
