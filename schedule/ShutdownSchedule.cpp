#include "schedule/ShutdownSchedule.h"

#include "schedule/Texts.h"

namespace {
constexpr int32_t kSecondUnit = static_cast<int32_t>(TimeUnit::Second);
constexpr int32_t kMinuteUnit = static_cast<int32_t>(TimeUnit::Minute);
// Whole seconds come from a double; the tolerance keeps exactly ten seconds acceptable.
constexpr double kLeadTolerance = 1e-7;
}  // namespace

ShutdownSchedule::ShutdownSchedule(ScheduleView& view, Clock& clock) : view_(view), clock_(clock) {}

void ShutdownSchedule::toggle() {
  if (!view_.isMainWindowVisible()) {
    view_.setMainWindowVisible(true);
    view_.setMainWindowPosition(kPlacementCentred);
  }
  view_.setCountdownCaption(texts::kCountdownCaptionIdle);

  if (view_.timerPeriod() == kArmedTimerPeriod) {
    disarm();
    return;
  }
  if (view_.confirm(texts::kConfirmMessage, kConfirmStyle, texts::kConfirmTitle) != kAnswerYes) {
    return;
  }

  const DateTime deadline = DateTime::fromText(view_.deadlineText().c_str());
  const double remaining = DateTime::difference(deadline, clock_.now(), kSecondUnit);
  if (remaining - kMinimumLeadSeconds < -kLeadTolerance) {
    // Read the present again: the prompt may have stayed open for a while.
    writeDeadline(DateTime::add(clock_.now(), kSecondUnit, kMinimumLeadSeconds));
  }
  arm();
}

void ShutdownSchedule::tick() {
  const DateTime deadline = DateTime::fromText(view_.deadlineText().c_str());
  const double remaining = DateTime::difference(deadline, clock_.now(), kSecondUnit);
  // The difference already lies in the 32-bit range (it saturates there).
  const auto seconds = static_cast<int32_t>(truncateToInt64(remaining));
  if (seconds < 0) {
    // The timer keeps running, so every later tick asks again until the machine goes down.
    view_.requestPowerOff(kPowerOffAction, true);
    return;
  }

  const int32_t hours = truncateToInt32(seconds / 3600.0);
  const int32_t minutes = truncateToInt32(seconds / 60.0 - hours * 60.0);
  const int32_t restSeconds = truncateToInt32(seconds - minutes * 60.0 - hours * 3600.0);
  const std::string caption =
      concatTexts({intToText(hours).c_str(), texts::kCountdownHours, intToText(minutes).c_str(),
                   texts::kCountdownMinutes, intToText(restSeconds).c_str(),
                   texts::kCountdownSeconds});
  view_.setCountdownCaption(caption.c_str());
}

void ShutdownSchedule::presetFromNow(int32_t minutes) {
  writeDeadline(DateTime::add(clock_.now(), kMinuteUnit, minutes));
  toggle();
}

void ShutdownSchedule::presetTonight() {
  const DateParts today = DateTime::parts(clock_.now());
  writeDeadline(DateTime::fromParts(today.year, today.month, today.day, 23, 59, 30));
  toggle();
}

void ShutdownSchedule::disarm() {
  view_.setTimerPeriod(kIdleTimerPeriod);
  view_.setStartCaption(texts::kStartCaptionIdle);
  view_.setDeadlineDisabled(false);
}

void ShutdownSchedule::arm() {
  view_.setTimerPeriod(kArmedTimerPeriod);
  view_.setStartCaption(texts::kStartCaptionArmed);
  view_.setDeadlineDisabled(true);
}

void ShutdownSchedule::writeDeadline(DateTime deadline) {
  view_.setDeadlineText(DateTime::toText(deadline).c_str());
}
