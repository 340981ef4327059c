// The date-entry window on real windows under Wine, opened by the left press on the main
// window's deadline box as a user opens it, filled, edited and closed from inside its modal
// loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "schedule/Texts.h"
#include "ui/ControlNames.h"
#include "ui/MenuPopup.h"
#include "ui/tests/BehaviourTestSupport.h"

namespace {

TEST(CompareTexts, ComparesUnsignedBytesWithAbsentAsEmpty) {
  struct Case {
    const char* a;
    const char* b;
    int32_t expected;
  } const cases[] = {
      {nullptr, nullptr, 0}, {"", nullptr, 0},   {nullptr, "", 0},    {"", "0", -1},
      {nullptr, "0", -1},    {"0", "", 1},       {"0", nullptr, 1},   {"0", "0", 0},
      {"5", "0", 1},         {" 5", "0", -1},    {"-1", "0", -1},     {"+1", "0", -1},
      {"/", "0", -1},        {"5 ", "0", 1},     {"abc", "0", 1},     {"0", "00", -1},
      {"00", "0", 1},        {"\xA3\xB0", "0", 1}, {"\x80", "\x7F", 1}, {"\x7F", "\xFF", -1},
      {"2016", "2016", 0},   {"2015", "2016", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a ? c.a : "(absent)") + " vs " + (c.b ? c.b : "(absent)"));
    EXPECT_EQ(compareTexts(c.a, c.b), c.expected);
  }
}

class DateEntryWindowTest : public BehaviourTest {
 protected:
  // Opens the date-entry window with a left press on the deadline box and runs step inside
  // its modal loop; returns once the window has gone (false if it never opened or closed).
  bool openAndRun(const std::function<void(LoadedWindow&)>& step) {
    bool ran = false;
    PostMessageA(mainControl(mainwindow::kDeadlineBox), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(5, 5));
    inbox_.post([&] {
      if (LoadedWindow* entry = frame_.window(kDateEntryWindowLayout)) {
        ran = true;
        step(*entry);
      }
    });
    const bool closed =
        waitUntil([&] { return ran && !frame_.window(kDateEntryWindowLayout); }, 10000);
    waitUntil([] { return false; }, 50);
    return ran && closed;
  }

  static HWND field(LoadedWindow& entry, int index) {
    return entry.control(dateentry::kFieldBoxes[index]);
  }

  static void closeByButton(LoadedWindow& entry) {
    SendMessageA(entry.control(dateentry::kCloseButton), BM_CLICK, 0, 0);
  }

  // Esc as the focused year box receives it, through the frame's pump.
  static void closeByEsc(LoadedWindow& entry) {
    PostMessageA(field(entry, 0), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  }
};

TEST_F(DateEntryWindowTest, OpensWithThePresentAndClosingWritesItNormalised) {
  struct Case {
    DateTime now;
    const char* fields[6];
    const char* deadline;
  } const cases[] = {
      {DateTime::fromParts(2016, 5, 28, 23, 44, 29), {"2016", "5", "28", "23", "44", "29"},
       "2016年5月28日23时44分29秒"},
      {DateTime::fromParts(2016, 5, 29, 0, 0, 0), {"2016", "5", "29", "0", "0", "0"},
       "2016年5月29日"},
      {DateTime::fromParts(2016, 5, 28, 0, 7, 9), {"2016", "5", "28", "0", "7", "9"},
       "2016年5月28日0时7分9秒"},
  };
  for (const Case& c : cases) {
    for (bool esc : {false, true}) {
      SCOPED_TRACE(std::string(c.deadline) + (esc ? " by Esc" : " by the close button"));
      clock_.value = c.now;
      typeDeadline("old");
      std::string seen[6];
      bool focusInYear = false;
      ASSERT_TRUE(openAndRun([&](LoadedWindow& entry) {
        for (int i = 0; i < 6; ++i) seen[i] = windowText(field(entry, i));
        focusInYear = GetFocus() == field(entry, 0);
        esc ? closeByEsc(entry) : closeByButton(entry);
      }));
      for (int i = 0; i < 6; ++i) EXPECT_EQ(seen[i], c.fields[i]) << "field " << i;
      EXPECT_TRUE(focusInYear);
      EXPECT_EQ(deadline(), c.deadline);
    }
  }
}

TEST_F(DateEntryWindowTest, EditedFieldsAreCheckedComposedAndNormalised) {
  clock_.value = DateTime::fromParts(2016, 5, 28, 23, 44, 29);
  struct Case {
    int field;
    const char* text;
    const char* deadline;  // "" when the entry is dropped
  } const cases[] = {
      {2, "", ""},
      {0, "", ""},
      {5, "", ""},
      {1, "-1", ""},
      {3, " 5", ""},
      {4, "+5", ""},
      {3, "5 ", "100年1月1日"},
      {1, "13", "100年1月1日"},
      {2, "0", "100年1月1日"},
      {0, "16", "100年1月1日"},
      {1, "abc", "100年1月1日"},
      {1, "０６", "2016年6月28日23时44分29秒"},
      {1, "06", "2016年6月28日23时44分29秒"},
      {5, "9秒", "2016年5月28日23时44分9秒"},
      {3, "0", "2016年5月28日0时44分29秒"},
  };
  for (const Case& c : cases) {
    for (bool esc : {false, true}) {
      SCOPED_TRACE(std::string("field ") + std::to_string(c.field) + " '" + c.text + "'" +
                   (esc ? " by Esc" : " by the close button"));
      typeDeadline("old");
      ASSERT_TRUE(openAndRun([&](LoadedWindow& entry) {
        SetWindowTextA(field(entry, c.field), c.text);
        esc ? closeByEsc(entry) : closeByButton(entry);
      }));
      EXPECT_EQ(deadline(), c.deadline);
    }
  }
}

TEST_F(DateEntryWindowTest, TheMainWindowIsDisabledWhileItIsOpenAndTheCloseWaitsForTheClick) {
  bool mainEnabledInside = true, stillThereAfterClick = false, writtenDuringClick = true;
  ASSERT_TRUE(openAndRun([&](LoadedWindow& entry) {
    mainEnabledInside = IsWindowEnabled(main()) != FALSE;
    closeByButton(entry);
    // The close was only requested: the window is still there when the click returns.
    stillThereAfterClick = IsWindow(entry.handle()) != FALSE;
    writtenDuringClick = !deadline().empty();
  }));
  EXPECT_FALSE(mainEnabledInside);
  EXPECT_TRUE(stillThereAfterClick);
  EXPECT_FALSE(writtenDuringClick);
  EXPECT_TRUE(IsWindowEnabled(main()));
  EXPECT_FALSE(deadline().empty());
}

TEST_F(DateEntryWindowTest, TicksAndTrayCommandsAreServedWhileItIsOpen) {
  clock_.value = DateTime::fromParts(2026, 12, 11, 12, 0, 0);
  std::string countdownInside;
  ASSERT_TRUE(openAndRun([&](LoadedWindow& entry) {
    // Armed from the tray menu while the window is open: the emptied deadline is replaced by
    // now plus ten seconds, and the ticks run.
    SendMessageA(main(), WM_COMMAND,
                 kFirstMenuCommandId + menuItemIndex(kMainWindowLayout, texts::kMenuStart), 0);
    HWND countdown = mainControl(mainwindow::kCountdownButton);
    waitFor([&] { return windowText(countdown) == "0小时0分钟10秒"; }, &frame_, 3000);
    countdownInside = windowText(countdown);
    closeByButton(entry);
  }));
  EXPECT_EQ(countdownInside, "0小时0分钟10秒");
  EXPECT_TRUE(armed());
  // The closing still writes the composed present (the box is only locked against the user).
  EXPECT_EQ(deadline(), "2026年12月11日12时");
}

}  // namespace
