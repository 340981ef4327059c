#include "ui/DateEntryWindow.h"

#include <cstring>
#include <string>
#include <vector>

#include "schedule/DateTime.h"
#include "schedule/Texts.h"
#include "ui/ControlNames.h"

namespace {

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  const int copied = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

}  // namespace

int32_t compareTexts(const char* a, const char* b) {
  const bool aEmpty = !a || !*a;
  const bool bEmpty = !b || !*b;
  if (aEmpty) return bEmpty ? 0 : -1;
  if (bEmpty) return 1;
  for (size_t i = 0;; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

void DateEntryWindow::onCreated(LoadedWindow& window) {
  const DateTime now = clock_.now();
  const int32_t fields[6] = {DateTime::year(now),   DateTime::month(now),  DateTime::day(now),
                             DateTime::hour(now),   DateTime::minute(now), DateTime::second(now)};
  for (int i = 0; i < 6; ++i) {
    SetWindowTextA(window.control(dateentry::kFieldBoxes[i]), intToText(fields[i]).c_str());
  }
}

void DateEntryWindow::onClicked(LoadedWindow& window, const ControlLayout& control) {
  if (std::strcmp(control.name, dateentry::kCloseButton) == 0) onCloseClicked(window);
}

void DateEntryWindow::onCloseClicked(LoadedWindow& window) {
  // Posted, so the window goes only after this click has been handled.
  window.requestDestroy();
}

void DateEntryWindow::onWillBeDestroyed(LoadedWindow& window) {
  // An empty field, or one starting below "0" (a space, a sign, a separator), drops the
  // whole entry: the deadline box keeps the empty text the opening press gave it.
  for (const char* box : dateentry::kFieldBoxes) {
    if (compareTexts(windowText(window.control(box)).c_str(), "0") < 0) return;
  }
  std::string fields[6];
  for (int i = 0; i < 6; ++i) fields[i] = windowText(window.control(dateentry::kFieldBoxes[i]));
  const std::string composed =
      concatTexts({fields[0].c_str(), texts::kYear, fields[1].c_str(), texts::kMonth,
                   fields[2].c_str(), texts::kDay, fields[3].c_str(), texts::kHour,
                   fields[4].c_str(), texts::kMinute, fields[5].c_str(), texts::kSecond});
  deadline_.setDeadlineText(DateTime::toText(DateTime::fromText(composed.c_str())).c_str());
}
