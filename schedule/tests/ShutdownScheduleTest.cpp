// The schedule against a recording view and a settable clock: arming and declining, the
// ten-second lead, presets, the countdown and the power-off requests.
#include "schedule/ShutdownSchedule.h"
#include "schedule/Texts.h"
#include "schedule/tests/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// Plays the main window: keeps the state the schedule writes and logs every call in order.
class RecordingView : public ScheduleView {
 public:
  std::string deadline = texts::kDeadlineInstruction;
  bool deadlineDisabled = false;
  int32_t period = 0;
  std::string startCaption = texts::kStartCaptionIdle;
  std::string countdownCaption = texts::kCountdownCaptionIdle;
  bool visible = true;
  int32_t answer = 5;

  struct Prompt {
    std::string message;
    int32_t style;
    std::string title;
  };
  std::vector<Prompt> prompts;
  std::vector<int32_t> positions;
  int powerOffRequests = 0;
  std::vector<std::string> log;

  std::string deadlineText() override { return deadline; }
  void setDeadlineText(const char* text) override {
    deadline = text;
    log.push_back("setDeadlineText");
  }
  void setDeadlineDisabled(bool disabled) override {
    deadlineDisabled = disabled;
    log.push_back(disabled ? "disableDeadline" : "enableDeadline");
  }
  int32_t timerPeriod() override { return period; }
  void setTimerPeriod(int32_t milliseconds) override {
    period = milliseconds;
    log.push_back("setTimerPeriod " + std::to_string(milliseconds));
  }
  void setStartCaption(const char* text) override {
    startCaption = text;
    log.push_back("setStartCaption");
  }
  void setCountdownCaption(const char* text) override {
    countdownCaption = text;
    log.push_back("setCountdownCaption");
  }
  bool isMainWindowVisible() override { return visible; }
  void setMainWindowVisible(bool show) override {
    visible = show;
    log.push_back(show ? "show" : "hide");
  }
  void setMainWindowPosition(int32_t placement) override {
    positions.push_back(placement);
    log.push_back("setPosition " + std::to_string(placement));
  }
  int32_t confirm(const char* message, int32_t style, const char* title) override {
    prompts.push_back({message, style, title});
    log.push_back("confirm");
    return answer;
  }
  void requestPowerOff(int32_t action, bool force) override {
    EXPECT_EQ(action, 1);
    EXPECT_TRUE(force);
    ++powerOffRequests;
    log.push_back("requestPowerOff");
  }

  void makeArmed(const std::string& text) {
    deadline = text;
    period = 1000;
    deadlineDisabled = true;
    startCaption = texts::kStartCaptionArmed;
  }
  void expectArmed() const {
    EXPECT_EQ(period, 1000);
    EXPECT_EQ(startCaption, texts::kStartCaptionArmed);
    EXPECT_TRUE(deadlineDisabled);
  }
  void expectIdle() const {
    EXPECT_EQ(period, 0);
    EXPECT_EQ(startCaption, texts::kStartCaptionIdle);
    EXPECT_FALSE(deadlineDisabled);
  }
};

// Returns the queued readings one by one, then keeps returning the last.
class SettableClock : public Clock {
 public:
  explicit SettableClock(DateTime start) : current(start) {}
  DateTime now() override {
    ++reads;
    if (!upcoming.empty()) {
      current = upcoming.front();
      upcoming.pop_front();
    }
    return current;
  }
  DateTime current;
  std::deque<DateTime> upcoming;
  int reads = 0;
};

const DateTime kEvening = at(2016, 5, 28, 23, 44, 29);

class ShutdownScheduleTest : public testing::Test {
 protected:
  RecordingView view;
  SettableClock clock{kEvening};
  ShutdownSchedule schedule{view, clock};
};

TEST_F(ShutdownScheduleTest, ArmsOnYesAndKeepsATextFarEnoughAhead) {
  view.deadline = "2016/5/28 23:45:59";
  schedule.toggle();
  ASSERT_EQ(view.prompts.size(), 1u);
  EXPECT_EQ(view.prompts[0].message, "是否开始执行自动关机（倒计时需大于系统时间10秒）");
  EXPECT_EQ(view.prompts[0].style, 20);
  EXPECT_EQ(view.prompts[0].title, "确定执行");
  view.expectArmed();
  EXPECT_EQ(view.deadline, "2016/5/28 23:45:59");  // left as typed
  EXPECT_EQ(view.countdownCaption, texts::kCountdownCaptionIdle);
  EXPECT_EQ(view.powerOffRequests, 0);
}

TEST_F(ShutdownScheduleTest, StaysIdleUnlessTheAnswerIsYes) {
  for (int32_t answer : {0, 1, 2, 3, 4, 6, -1}) {
    SCOPED_TRACE(answer);
    RecordingView idle;
    idle.answer = answer;
    idle.deadline = "2016年5月28日";  // past: would be replaced if the schedule went on
    ShutdownSchedule declined(idle, clock);
    declined.toggle();
    EXPECT_EQ(idle.prompts.size(), 1u);
    idle.expectIdle();
    EXPECT_EQ(idle.deadline, "2016年5月28日");
    const std::vector<std::string> expectedLog = {"setCountdownCaption", "confirm"};
    EXPECT_EQ(idle.log, expectedLog);
  }
}

struct LeadCase {
  const char* text;
  std::vector<DateTime> readings;  // the clock's successive answers
  const char* expected;
};

TEST_F(ShutdownScheduleTest, KeepsTenSecondsOfLead) {
  const LeadCase cases[] = {
      {"2016年5月28日23时44分39秒", {kEvening}, "2016年5月28日23时44分39秒"},   // 10 s: kept
      {"2016/5/28 23:44:39", {kEvening}, "2016/5/28 23:44:39"},                  // as typed
      {"2016年5月28日23时44分40秒", {kEvening}, "2016年5月28日23时44分40秒"},
      {"2016年5月28日23时44分38秒", {kEvening}, "2016年5月28日23时44分39秒"},   // 9 s: replaced
      {texts::kDeadlineInstruction, {kEvening}, "2016年5月28日23时44分39秒"},
      {"", {kEvening}, "2016年5月28日23时44分39秒"},
      {"2016年13月40日", {kEvening}, "2016年5月28日23时44分39秒"},
      {"2016年5月28日23时44分29秒", {kEvening}, "2016年5月28日23时44分39秒"},   // now
      {"2016年5月28日", {kEvening}, "2016年5月28日23时44分39秒"},               // past
      {"2100年1月1日", {kEvening}, "2100年1月1日"},
      // The replacement reads the present afresh: the prompt may have been open a while.
      {"2016年5月28日23时44分38秒",
       {kEvening, at(2016, 5, 28, 23, 50, 0)},
       "2016年5月28日23时50分10秒"},
      {"", {at(2016, 12, 31, 23, 59, 50), at(2016, 12, 31, 23, 59, 55)}, "2017年1月1日0时0分5秒"},
  };
  for (const LeadCase& c : cases) {
    SCOPED_TRACE(hexBytes(c.text));
    RecordingView fresh;
    fresh.deadline = c.text;
    SettableClock readings(c.readings.front());
    readings.upcoming.assign(c.readings.begin(), c.readings.end());
    ShutdownSchedule arming(fresh, readings);
    arming.toggle();
    fresh.expectArmed();
    EXPECT_EQ(hexBytes(fresh.deadline), hexBytes(c.expected));
    EXPECT_TRUE(readings.upcoming.empty()) << "the clock was read fewer times than expected";
  }
}

TEST_F(ShutdownScheduleTest, ReadsTheClockOnceWhenTheDeadlineIsKept) {
  view.deadline = "2016年5月28日23时44分39秒";
  schedule.toggle();
  EXPECT_EQ(clock.reads, 1);
  view.deadline = "2016年5月28日23时44分38秒";
  view.period = 0;
  schedule.toggle();
  EXPECT_EQ(clock.reads, 3);
}

TEST_F(ShutdownScheduleTest, ShowsAHiddenWindowBeforeAskingEvenWhenDeclined) {
  view.visible = false;
  view.answer = 6;
  schedule.toggle();
  EXPECT_TRUE(view.visible);
  const std::vector<std::string> expectedLog = {"show", "setPosition 1", "setCountdownCaption",
                                                "confirm"};
  EXPECT_EQ(view.log, expectedLog);
  view.expectIdle();
}

TEST_F(ShutdownScheduleTest, ShowsAHiddenWindowWhenDisarming) {
  view.makeArmed("2016年5月29日");
  view.visible = false;
  schedule.toggle();
  EXPECT_TRUE(view.visible);
  EXPECT_EQ(view.positions, std::vector<int32_t>{1});
  view.expectIdle();
}

TEST_F(ShutdownScheduleTest, LeavesAVisibleWindowWhereItIs) {
  view.deadline = "2016年5月29日";
  schedule.toggle();
  EXPECT_TRUE(view.positions.empty());
  for (const std::string& call : view.log) EXPECT_NE(call, "show");
}

TEST_F(ShutdownScheduleTest, DisarmsWithoutAskingAndResetsTheCountdown) {
  view.makeArmed("2016年5月29日");
  view.countdownCaption = "1小时2分钟5秒";
  schedule.toggle();
  view.expectIdle();
  EXPECT_TRUE(view.prompts.empty());
  EXPECT_EQ(view.countdownCaption, texts::kCountdownCaptionIdle);
  EXPECT_EQ(view.deadline, "2016年5月29日");
  EXPECT_EQ(clock.reads, 0);
}

TEST_F(ShutdownScheduleTest, ResetsTheCountdownOnEveryToggle) {
  for (int32_t answer : {5, 6}) {
    SCOPED_TRACE(answer);
    view.answer = answer;
    view.period = 0;
    view.deadline = "2016年5月29日";
    view.countdownCaption = "0小时0分钟1秒";
    schedule.toggle();
    EXPECT_EQ(view.countdownCaption, texts::kCountdownCaptionIdle);
  }
}

struct PresetCase {
  int32_t minutes;
  const char* expected;
};

TEST_F(ShutdownScheduleTest, PresetFromNowWritesTheDeadlineAndArms) {
  const PresetCase cases[] = {
      {60, "2016年5月29日0时44分29秒"},
      {120, "2016年5月29日1时44分29秒"},
      {180, "2016年5月29日2时44分29秒"},
  };
  for (const PresetCase& c : cases) {
    SCOPED_TRACE(c.minutes);
    RecordingView fresh;
    ShutdownSchedule presets(fresh, clock);
    presets.presetFromNow(c.minutes);
    EXPECT_EQ(fresh.prompts.size(), 1u);
    fresh.expectArmed();
    EXPECT_EQ(hexBytes(fresh.deadline), hexBytes(c.expected));
  }
}

TEST_F(ShutdownScheduleTest, PresetDeclinedLeavesItsTextAndStaysIdle) {
  view.answer = 6;
  schedule.presetFromNow(60);
  view.expectIdle();
  EXPECT_EQ(view.deadline, "2016年5月29日0时44分29秒");
}

struct TonightCase {
  std::vector<DateTime> readings;
  const char* expected;
};

TEST_F(ShutdownScheduleTest, PresetTonightAimsAtTodayAt235930) {
  const TonightCase cases[] = {
      {{at(2016, 5, 28, 12, 0, 0)}, "2016年5月28日23时59分30秒"},
      {{at(2016, 5, 28, 0, 0, 0)}, "2016年5月28日23时59分30秒"},
      {{at(2016, 5, 28, 23, 59, 20)}, "2016年5月28日23时59分30秒"},   // exactly ten seconds
      // Too close or past: the lead rule replaces it with a fresh now plus ten seconds.
      {{at(2016, 5, 28, 23, 59, 21)}, "2016年5月28日23时59分31秒"},
      {{at(2016, 5, 28, 23, 59, 45)}, "2016年5月28日23时59分55秒"},
      {{at(2016, 5, 28, 23, 59, 59)}, "2016年5月29日0时0分9秒"},
      {{at(2016, 5, 28, 23, 59, 25), at(2016, 5, 28, 23, 59, 25), at(2016, 5, 28, 23, 59, 26)},
       "2016年5月28日23时59分36秒"},
  };
  for (const TonightCase& c : cases) {
    SCOPED_TRACE(hexBytes(c.expected));
    RecordingView fresh;
    SettableClock readings(c.readings.front());
    readings.upcoming.assign(c.readings.begin(), c.readings.end());
    ShutdownSchedule presets(fresh, readings);
    presets.presetTonight();
    fresh.expectArmed();
    EXPECT_EQ(hexBytes(fresh.deadline), hexBytes(c.expected));
  }
}

TEST_F(ShutdownScheduleTest, PresetWhileArmedOverwritesTheTextAndDisarms) {
  view.makeArmed("2016年6月1日");
  schedule.presetFromNow(120);
  view.expectIdle();
  EXPECT_TRUE(view.prompts.empty());
  EXPECT_EQ(view.deadline, "2016年5月29日1时44分29秒");

  view.makeArmed("2016年6月1日");
  schedule.presetTonight();
  view.expectIdle();
  EXPECT_TRUE(view.prompts.empty());
  EXPECT_EQ(view.deadline, "2016年5月28日23时59分30秒");
}

struct TickCase {
  int32_t secondsBefore;  // how far the present lies before the deadline
  const char* caption;
};

TEST_F(ShutdownScheduleTest, TickShowsTheTimeLeft) {
  const TickCase cases[] = {
      {3725, "1小时2分钟5秒"},
      {25 * 3600 + 61, "25小时1分钟1秒"},  // hours are not wrapped into days
      {59, "0小时0分钟59秒"},
      {60, "0小时1分钟0秒"},
      {3600, "1小时0分钟0秒"},
      {86399, "23小时59分钟59秒"},
      {10, "0小时0分钟10秒"},
      {1, "0小时0分钟1秒"},
      {0, "0小时0分钟0秒"},   // the deadline's own second
      {-1, "0小时0分钟0秒"},  // and the one after it
  };
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.secondsBefore);
    view.makeArmed("2016年5月28日23时44分29秒");
    clock.current = DateTime::add(kEvening, 8, -c.secondsBefore);
    schedule.tick();
    EXPECT_EQ(hexBytes(view.countdownCaption), hexBytes(c.caption));
    EXPECT_EQ(view.powerOffRequests, 0);
    view.expectArmed();
  }
}

TEST_F(ShutdownScheduleTest, TickSplitsEverySecondCountLikeIntegerDivision) {
  view.makeArmed("2016年5月28日23时44分29秒");
  std::vector<int32_t> counts;
  for (int32_t b = 0; b <= 3 * 86400; b += 7) counts.push_back(b);
  for (int32_t b = 0; b < 4000; ++b) counts.push_back(b);
  for (int32_t b : counts) {
    clock.current = DateTime::add(kEvening, 8, -b);
    schedule.tick();
    const std::string expected = std::to_string(b / 3600) + "小时" + std::to_string(b % 3600 / 60) +
                                 "分钟" + std::to_string(b % 60) + "秒";
    ASSERT_EQ(view.countdownCaption, expected) << b << " seconds";
  }
}

TEST_F(ShutdownScheduleTest, RequestsThePowerOffOnEveryTickTwoSecondsPast) {
  view.makeArmed("2016年5月28日23时44分29秒");
  clock.current = DateTime::add(kEvening, 8, 1);
  schedule.tick();
  EXPECT_EQ(view.powerOffRequests, 0);
  EXPECT_EQ(view.countdownCaption, "0小时0分钟0秒");

  view.log.clear();
  int requests = 0;
  for (int32_t secondsPast : {2, 3, 4, 60, 86400}) {
    clock.current = DateTime::add(kEvening, 8, secondsPast);
    schedule.tick();
    EXPECT_EQ(view.powerOffRequests, ++requests) << secondsPast;
  }
  // Nothing else changes: the timer runs on and the caption keeps its last text.
  EXPECT_EQ(view.log, std::vector<std::string>(5, "requestPowerOff"));
  EXPECT_EQ(view.countdownCaption, "0小时0分钟0秒");
  view.expectArmed();

  // Disarming stops the requests: the timer period goes back to 0.
  schedule.toggle();
  view.expectIdle();
}

TEST_F(ShutdownScheduleTest, UnreadableTextOnATickRequestsThePowerOff) {
  view.makeArmed("");
  schedule.tick();
  EXPECT_EQ(view.powerOffRequests, 1);
}

TEST_F(ShutdownScheduleTest, FarDeadlineSaturatesInsteadOfFiring) {
  clock.current = at(2026, 12, 11);
  view.deadline = "2100年1月1日";
  schedule.toggle();
  view.expectArmed();
  EXPECT_EQ(view.deadline, "2100年1月1日");
  schedule.tick();
  EXPECT_EQ(view.powerOffRequests, 0);
  EXPECT_EQ(hexBytes(view.countdownCaption), hexBytes("596523小时14分钟7秒"));

  // Even the far end of the range only counts down.
  view.deadline = "9999年12月31日";
  schedule.tick();
  EXPECT_EQ(view.powerOffRequests, 0);
  EXPECT_EQ(hexBytes(view.countdownCaption), hexBytes("596523小时14分钟7秒"));
}

}  // namespace
