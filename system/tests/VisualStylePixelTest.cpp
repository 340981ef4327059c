// The layer on real controls under a real message loop: what the screen shows for each state
// of a push button and an edit box, hover tracking, windows created after installation, the
// confirmation message box, and installing and removing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "schedule/Texts.h"
#include "system/VisualStyle.h"
#include "system/tests/StyleTestSupport.h"

using namespace style_test;

namespace {

class StyledLookAlike : public ::testing::Test {
 protected:
  void SetUp() override {
    parkCursor();
    ASSERT_NE(main_.window(), nullptr);
    ASSERT_EQ(VisualStyle::select(3), 1);
  }
  void TearDown() override {
    VisualStyle::select(0);
    parkCursor();
  }

  // Puts the real pointer over a control and tells it so, as a first mouse move would.
  void hover(HWND control) {
    RECT r = clientOnScreen(control);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2));
  }

  LookAlikeWindow main_;
};

TEST_F(StyledLookAlike, NormalPushButtonShowsBorderRingFaceAndRoundedCorners) {
  for (HWND button : {main_.start(), main_.display()}) {
    EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                  scheme3::kFaceNormal)));
  }
}

TEST_F(StyledLookAlike, CaptionIsBlackWhenEnabledAndGreyWhenDisabled) {
  const HWND button = main_.start();
  const SIZE size = clientSize(button);
  auto captionHas = [&](COLORREF wanted, int tolerance) {
    const ScreenImage image(clientOnScreen(button));
    for (int y = 5; y < size.cy - 5; ++y)
      for (int x = 5; x < size.cx - 5; ++x)
        if (channelDistance(image.at(x, y), wanted) <= tolerance) return true;
    return false;
  };
  EXPECT_TRUE(waitUntil([&] { return captionHas(RGB(0, 0, 0), 0x30); }))
      << "no black caption pixel";
  EnableWindow(button, FALSE);
  EXPECT_TRUE(waitUntil([&] { return captionHas(scheme3::kDisabledCaption, 0); }))
      << "no caption pixel in the disabled caption colour";
  EXPECT_FALSE(captionHas(RGB(0, 0, 0), 0x30)) << "a black caption pixel remains";
}

struct ButtonStateCase {
  const char* name;
  void (*enter)(HWND button);
  visual_style::CornerColours ring;
  visual_style::CornerColours face;
  bool focused;
};

void press(HWND button) { SendMessageA(button, BM_SETSTATE, TRUE, 0); }
void focus(HWND button) { SetFocus(button); }
void makeDefault(HWND button) { SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }
void pressFocused(HWND button) {
  SetFocus(button);
  SendMessageA(button, BM_SETSTATE, TRUE, 0);
}

class ButtonStates : public StyledLookAlike,
                     public ::testing::WithParamInterface<ButtonStateCase> {};

TEST_P(ButtonStates, RingAndFaceFollowTheState) {
  const ButtonStateCase& state = GetParam();
  const HWND button = main_.display();
  state.enter(button);
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), state.ring, state.face,
                                                state.focused)));
}

INSTANTIATE_TEST_SUITE_P(
    Scheme3, ButtonStates,
    ::testing::Values(
        ButtonStateCase{"pressed", press, scheme3::kRingPressed, scheme3::kFacePressed, false},
        ButtonStateCase{"focused", focus, scheme3::kRingFocused, scheme3::kFaceNormal, true},
        ButtonStateCase{"default", makeDefault, scheme3::kRingFocused, scheme3::kFaceNormal,
                        false},
        ButtonStateCase{"pressed_beats_focused", pressFocused, scheme3::kRingPressed,
                        scheme3::kFacePressed, true}),
    [](const ::testing::TestParamInfo<ButtonStateCase>& info) { return info.param.name; });

TEST_F(StyledLookAlike, DefaultStyleOffGoesBackToTheNormalRing) {
  const HWND button = main_.display();
  makeDefault(button);
  ASSERT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingFocused,
                                                scheme3::kFaceNormal)));
  SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                scheme3::kFaceNormal)));
}

TEST_F(StyledLookAlike, HotRingWhilePointerIsOverAndGoneAfterLeaving) {
  const HWND button = main_.start();
  hover(button);
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingHot,
                                                scheme3::kFaceNormal)));
  parkCursor();
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                scheme3::kFaceNormal)))
      << "leaving did not clear the hot ring";
}

TEST_F(StyledLookAlike, HotBeatsFocusedAndTheFocusRectangleStays) {
  const HWND button = main_.start();
  SetFocus(button);
  hover(button);
  const SIZE size = clientSize(button);
  EXPECT_TRUE(shows(button, enabledButtonChecks(size, scheme3::kRingHot, scheme3::kFaceNormal,
                                                true)));
  // The dotted focus rectangle runs along the ring's inner row: some of its pixels differ
  // from the plain ring, some do not.
  const ScreenImage image(clientOnScreen(button));
  const RECT ringArea{2, 2, size.cx - 2, size.cy - 2};
  int plain = 0, dotted = 0;
  for (int x = 4; x < size.cx - 4; ++x) {
    const bool same =
        channelDistance(image.at(x, 3), gradientAt(scheme3::kRingHot, ringArea, x, 3)) <= 2;
    (same ? plain : dotted)++;
  }
  EXPECT_GT(plain, 0);
  EXPECT_GT(dotted, (size.cx - 8) / 4) << "no focus rectangle on the ring's inner row";
}

TEST_F(StyledLookAlike, EnteringWithTheLeftButtonHeldShowsNoHotRing) {
  const HWND button = main_.start();
  SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
  settle();
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                scheme3::kFaceNormal), false, 500));
}

TEST_F(StyledLookAlike, CheckedAndIndeterminatePushLikeButtons) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const HWND box = CreateWindowExA(0, "BUTTON", texts::kMenuStart,
                                   WS_CHILD | WS_VISIBLE | BS_AUTO3STATE | BS_PUSHLIKE, 0, 40,
                                   70, 25, main_.window(), nullptr, instance, nullptr);
  ShowWindow(main_.start(), SW_HIDE);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(shows(box, enabledButtonChecks(clientSize(box), scheme3::kRingChecked,
                                             scheme3::kFacePressed)));
  SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_TRUE(shows(box, enabledButtonChecks(clientSize(box), scheme3::kRingChecked,
                                             scheme3::kFacePressed)));
  SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_TRUE(shows(box, enabledButtonChecks(clientSize(box), scheme3::kRingNormal,
                                             scheme3::kFaceNormal)));
}

TEST_F(StyledLookAlike, PressedCaptionMovesOnePixelRightAndDown) {
  const HWND button = main_.start();
  const SIZE size = clientSize(button);
  auto captionTopLeft = [&] {
    const ScreenImage image(clientOnScreen(button));
    POINT first{-1, -1};
    for (int y = 4; y < size.cy - 4 && first.y < 0; ++y)
      for (int x = 4; x < size.cx - 4; ++x)
        if (channelDistance(image.at(x, y), RGB(0, 0, 0)) <= 0x30) {
          first = POINT{x, y};
          break;
        }
    return first;
  };
  POINT normal{};
  ASSERT_TRUE(waitUntil([&] { normal = captionTopLeft(); return normal.y >= 0; }));
  press(button);
  POINT pressed{};
  EXPECT_TRUE(waitUntil([&] {
    pressed = captionTopLeft();
    return pressed.x == normal.x + 1 && pressed.y == normal.y + 1;
  })) << "caption's first dark pixel went from (" << normal.x << "," << normal.y << ") to ("
      << pressed.x << "," << pressed.y << ")";
}

TEST_F(StyledLookAlike, DisabledButtonIsFlatWithDisabledBorderAndCorners) {
  const HWND button = main_.start();
  EnableWindow(button, FALSE);
  EXPECT_TRUE(shows(button, disabledButtonChecks(clientSize(button))));
  EnableWindow(button, TRUE);
  EXPECT_TRUE(shows(button, enabledButtonChecks(clientSize(button), scheme3::kRingNormal,
                                                scheme3::kFaceNormal)));
}

TEST_F(StyledLookAlike, EditBorderFollowsEnabling) {
  const HWND edit = main_.edit();
  const SIZE size = windowSize(edit);
  EXPECT_TRUE(shows(edit, editBorderChecks(size, scheme3::kEditBorder, GetSysColor(COLOR_WINDOW)),
                    true));
  EnableWindow(edit, FALSE);
  EXPECT_TRUE(shows(edit, editBorderChecks(size, disabledBorder(), buttonFace()), true));
  EnableWindow(edit, TRUE);
  EXPECT_TRUE(shows(edit, editBorderChecks(size, scheme3::kEditBorder, GetSysColor(COLOR_WINDOW)),
                    true));
}

TEST_F(StyledLookAlike, EditBorderIgnoresFocusAndHover) {
  const HWND edit = main_.edit();
  SetFocus(edit);
  hover(edit);
  settle();
  EXPECT_TRUE(shows(edit,
                    editBorderChecks(windowSize(edit), scheme3::kEditBorder,
                                     GetSysColor(COLOR_WINDOW)),
                    true));
}

TEST_F(StyledLookAlike, ReadOnlyEditHasButtonFaceInnerFrame) {
  const HWND edit =
      CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", texts::kDateEntryTitle,
                      WS_CHILD | WS_VISIBLE | ES_READONLY, 0, 0, 240, 40, main_.window(),
                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(main_.edit(), SW_HIDE);
  EXPECT_TRUE(shows(edit, editBorderChecks(windowSize(edit), scheme3::kEditBorder, buttonFace()),
                    true));
}

TEST_F(StyledLookAlike, EditWithoutBorderIsNotPainted) {
  const HWND edit =
      CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 240, 40, main_.window(),
                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(main_.edit(), SW_HIDE);
  EXPECT_TRUE(shows(edit, editBorderChecks(windowSize(edit), GetSysColor(COLOR_WINDOW),
                                           GetSysColor(COLOR_WINDOW)),
                    true));
}

TEST_F(StyledLookAlike, NewCaptionKeepsTheLayersLook) {
  const HWND button = main_.start();
  const SIZE size = clientSize(button);
  auto darkPixels = [&] {
    const ScreenImage image(clientOnScreen(button));
    std::string pattern;
    for (int y = 4; y < size.cy - 4; ++y)
      for (int x = 4; x < size.cx - 4; ++x)
        pattern += channelDistance(image.at(x, y), RGB(0, 0, 0)) <= 0x30 ? '#' : '.';
    return pattern;
  };
  ASSERT_TRUE(shows(button, enabledButtonChecks(size, scheme3::kRingNormal, scheme3::kFaceNormal)));
  const std::string before = darkPixels();
  SetWindowTextA(button, texts::kStartCaptionArmed);
  char caption[32] = "";
  GetWindowTextA(button, caption, sizeof caption);
  EXPECT_STREQ(caption, texts::kStartCaptionArmed);
  EXPECT_TRUE(waitUntil([&] { return darkPixels() != before; })) << "the caption was not redrawn";
  EXPECT_TRUE(shows(button, enabledButtonChecks(size, scheme3::kRingNormal, scheme3::kFaceNormal)));
}

// The kinds the program's own windows do not use get a simple look in the same colours.
TEST(VisualStyleOtherKinds, CheckRadioGroupUpDownAndComboArePaintedInSchemeColours) {
  parkCursor();
  ASSERT_EQ(VisualStyle::select(3), 1);
  registerTestClass(kTestWindowClass, DefWindowProcA);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const HWND window = CreateWindowExA(WS_EX_TOPMOST, kTestWindowClass, "", WS_POPUP | WS_VISIBLE,
                                      20, 20, 300, 200, nullptr, nullptr, instance, nullptr);
  auto child = [&](const char* cls, DWORD style, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, texts::kMenuStart, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                           window, nullptr, instance, nullptr);
  };
  const HWND check = child("BUTTON", BS_AUTOCHECKBOX, 10, 10, 120, 21);
  const HWND radio = child("BUTTON", BS_AUTORADIOBUTTON, 10, 40, 120, 21);
  const HWND group = child("BUTTON", BS_GROUPBOX, 150, 10, 120, 80);
  const HWND spin = child("msctls_updown32", 0, 10, 70, 20, 30);
  const HWND combo = child("COMBOBOX", CBS_DROPDOWNLIST, 10, 110, 120, 200);
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  UpdateWindow(window);

  const COLORREF black = RGB(0, 0, 0);
  const int boxTop = (21 - 13) / 2;
  EXPECT_TRUE(shows(check, {{"box frame", 0, boxTop + 6, scheme3::kPushBorder, 0},
                            {"box frame", 6, boxTop, scheme3::kPushBorder, 0},
                            {"tick", 5, boxTop + 9, black, 0x30}}));
  EXPECT_TRUE(shows(radio, {{"circle", 6, boxTop, scheme3::kPushBorder, 0},
                            {"dot", 6, boxTop + 6, black, 0x30}}));
  EXPECT_TRUE(shows(group, {{"frame left", 0, 50, scheme3::kEditBorder, 0},
                            {"frame bottom", 60, 79, scheme3::kEditBorder, 0}}));
  const SIZE spinSize = clientSize(spin);  // the up-down chooses its own width
  const int spinMid = spinSize.cx / 2;
  EXPECT_TRUE(shows(spin, {{"upper half frame", spinMid, 0, scheme3::kPushBorder, 0},
                           {"lower half frame", spinMid, spinSize.cy - 1, scheme3::kPushBorder, 0},
                           {"upper arrow", spinMid, spinSize.cy / 4, black, 0x30},
                           {"lower arrow", spinMid, spinSize.cy * 3 / 4, black, 0x30}}));
  const SIZE comboSize = windowSize(combo);
  EXPECT_TRUE(shows(combo, {{"outer frame", comboSize.cx / 2, 0, scheme3::kEditBorder, 0},
                            {"outer frame", 0, comboSize.cy / 2, scheme3::kEditBorder, 0}},
                    true));

  EnableWindow(check, FALSE);
  EXPECT_TRUE(shows(check, {{"disabled box frame", 0, boxTop + 6, disabledBorder(), 0},
                            {"disabled tick", 5, boxTop + 9, scheme3::kDisabledCaption, 0}}));
  EXPECT_EQ(VisualStyle::select(0), 1);
  DestroyWindow(window);
}

// With DUSKLOCK_STYLE_SHOTS set to a folder, saves the look-alike window in four states as
// BMP files there (for docs/ and for checking by eye), each after its colours were confirmed.
TEST_F(StyledLookAlike, SavesScreenshotsWhenAsked) {
  const char* folder = std::getenv("DUSKLOCK_STYLE_SHOTS");
  if (!folder) GTEST_SKIP() << "DUSKLOCK_STYLE_SHOTS is not set";
  const HWND start = main_.start();
  const HWND display = main_.display();
  const HWND edit = main_.edit();
  auto save = [&](const char* name) {
    settle(200);
    EXPECT_TRUE(ScreenImage(windowOnScreen(main_.window()))
                    .saveBmp(std::string(folder) + "\\style-" + name + ".bmp"))
        << name;
  };

  SetFocus(nullptr);
  ASSERT_TRUE(shows(start, enabledButtonChecks(clientSize(start), scheme3::kRingNormal,
                                               scheme3::kFaceNormal)));
  save("normal");

  hover(start);
  ASSERT_TRUE(shows(start, enabledButtonChecks(clientSize(start), scheme3::kRingHot,
                                               scheme3::kFaceNormal)));
  save("hot");
  parkCursor();
  ASSERT_TRUE(shows(start, enabledButtonChecks(clientSize(start), scheme3::kRingNormal,
                                               scheme3::kFaceNormal)));

  SetFocus(display);
  ASSERT_TRUE(shows(display, enabledButtonChecks(clientSize(display), scheme3::kRingFocused,
                                                 scheme3::kFaceNormal, true)));
  save("focused");

  SetFocus(nullptr);
  for (HWND control : {start, display, edit}) EnableWindow(control, FALSE);
  ASSERT_TRUE(shows(start, disabledButtonChecks(clientSize(start))));
  ASSERT_TRUE(shows(edit, editBorderChecks(windowSize(edit), disabledBorder(), buttonFace()), true));
  save("disabled");
}

// Subclassing: installing twice takes each control over once, removing hands every control
// its own procedure back, and labels are never touched.
TEST(VisualStyleInstall, SelectTwiceSubclassesOnceAndRemovingRestoresEverything) {
  parkCursor();
  LookAlikeWindow main;
  const HWND label = CreateWindowExA(0, "STATIC", texts::kDateEntryClose,
                                     WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 30, 20, main.window(),
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
  const LONG_PTR ownButton = procedureOf(main.start());
  const LONG_PTR ownEdit = procedureOf(main.edit());
  const LONG_PTR ownLabel = procedureOf(label);

  ASSERT_EQ(VisualStyle::select(3), 1);
  const LONG_PTR styled = procedureOf(main.start());
  EXPECT_NE(styled, ownButton);
  EXPECT_EQ(procedureOf(main.display()), styled);
  EXPECT_EQ(procedureOf(main.edit()), styled);
  EXPECT_EQ(procedureOf(label), ownLabel) << "a label was taken over";

  ASSERT_EQ(VisualStyle::select(3), 1);
  EXPECT_EQ(procedureOf(main.start()), styled);
  EXPECT_TRUE(shows(main.start(), enabledButtonChecks(clientSize(main.start()),
                                                      scheme3::kRingNormal,
                                                      scheme3::kFaceNormal)));

  EXPECT_EQ(VisualStyle::select(0), 1) << "the hook was not removed";
  EXPECT_EQ(procedureOf(main.start()), ownButton);
  EXPECT_EQ(procedureOf(main.display()), ownButton);
  EXPECT_EQ(procedureOf(main.edit()), ownEdit);
  EXPECT_EQ(VisualStyle::select(0), 0) << "removing twice found a hook";

  // Its own look is back: no scheme border, no scheme face.
  EXPECT_TRUE(waitUntil([&] {
    const ScreenImage image(clientOnScreen(main.start()));
    return image.at(35, 1) != scheme3::kPushBorder && image.at(5, 4) != hex(0xFCFCFB);
  })) << "the button still looks styled after removal";
  EXPECT_TRUE(waitUntil([&] {
    const ScreenImage image(windowOnScreen(main.edit()));
    return image.at(120, 0) != scheme3::kEditBorder;
  })) << "the edit box still looks styled after removal";

  // No hook: a button made now keeps its own procedure.
  const HWND later = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10,
                                     main.window(), nullptr, GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(procedureOf(later), ownButton);
}

TEST(VisualStyleInstall, WindowsCreatedLaterAreStyledFromTheirFirstPaint) {
  parkCursor();
  LookAlikeWindow before(20, 20, false);
  const LONG_PTR ownButton = procedureOf(before.start());
  const LONG_PTR ownLabel = [&] {
    const HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, before.window(),
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    return procedureOf(label);
  }();
  ASSERT_EQ(VisualStyle::select(3), 1);

  LookAlikeWindow later(300, 20, false);
  const HWND label = CreateWindowExA(0, "STATIC", texts::kDateEntryClose, WS_CHILD | SS_LEFT, 0,
                                     0, 30, 20, later.window(), nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
  // Taken over as they were created, before anything was shown.
  EXPECT_NE(procedureOf(later.start()), ownButton);
  EXPECT_NE(procedureOf(later.display()), ownButton);
  EXPECT_EQ(procedureOf(label), ownLabel) << "a label was taken over";

  later.show();
  EXPECT_TRUE(shows(later.start(), enabledButtonChecks(clientSize(later.start()),
                                                       scheme3::kRingNormal,
                                                       scheme3::kFaceNormal)));
  EXPECT_TRUE(shows(later.edit(), editBorderChecks(windowSize(later.edit()), scheme3::kEditBorder,
                                                   GetSysColor(COLOR_WINDOW)),
                    true));
  EXPECT_EQ(VisualStyle::select(0), 1);
}

// Watches for the confirmation box from a timer of its own window (the box runs its own
// message loop), checks its Yes and No buttons on screen and answers No.
class MessageBoxProbe {
 public:
  MessageBoxProbe() {
    registerTestClass("DusklockStyleProbe", &MessageBoxProbe::procedure);
    window_ = CreateWindowExA(0, "DusklockStyleProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, 50, nullptr);
  }
  ~MessageBoxProbe() { DestroyWindow(window_); }
  MessageBoxProbe(const MessageBoxProbe&) = delete;
  MessageBoxProbe& operator=(const MessageBoxProbe&) = delete;

  bool found() const { return found_; }
  const std::string& yesReport() const { return yesReport_; }
  const std::string& noReport() const { return noReport_; }

 private:
  static constexpr int kMaxTicks = 100;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* probe = reinterpret_cast<MessageBoxProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_TIMER && probe) {
      probe->onTick();
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  struct BoxSearch {
    HWND box;
  };

  static BOOL CALLBACK matchBox(HWND window, LPARAM data) {
    char className[16] = "", title[64] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::string(className) == "#32770" && std::string(title) == texts::kConfirmTitle) {
      reinterpret_cast<BoxSearch*>(data)->box = window;
      return FALSE;
    }
    return TRUE;
  }

  static HWND findBox() {
    BoxSearch search{nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &matchBox, reinterpret_cast<LPARAM>(&search));
    return search.box;
  }

  void onTick() {
    ++ticks_;
    const HWND box = findBox();
    if (!box) return;
    found_ = true;
    const HWND yes = GetDlgItem(box, IDYES);
    const HWND no = GetDlgItem(box, IDNO);
    if (yes && no) {
      // Yes is the default button with the focus; No is a plain button.
      yesReport_ = mismatches(ScreenImage(clientOnScreen(yes)),
                              enabledButtonChecks(clientSize(yes), scheme3::kRingFocused,
                                                  scheme3::kFaceNormal, true));
      noReport_ = mismatches(ScreenImage(clientOnScreen(no)),
                             enabledButtonChecks(clientSize(no), scheme3::kRingNormal,
                                                 scheme3::kFaceNormal));
    }
    if ((yesReport_.empty() && noReport_.empty() && yes && no) || ticks_ >= kMaxTicks) {
      KillTimer(window_, 1);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
    }
  }

  HWND window_ = nullptr;
  int ticks_ = 0;
  bool found_ = false;
  std::string yesReport_ = "not checked";
  std::string noReport_ = "not checked";
};

TEST(VisualStyleInstall, ConfirmationBoxButtonsAreStyled) {
  parkCursor();
  ASSERT_EQ(VisualStyle::select(3), 1);
  int answer = 0;
  {
    MessageBoxProbe probe;
    answer = MessageBoxA(nullptr, texts::kConfirmMessage, texts::kConfirmTitle,
                         MB_YESNO | MB_ICONHAND | MB_TASKMODAL);
    EXPECT_TRUE(probe.found()) << "the message box was not found";
    EXPECT_EQ(probe.yesReport(), "") << "Yes button";
    EXPECT_EQ(probe.noReport(), "") << "No button";
  }
  EXPECT_EQ(answer, IDNO);
  EXPECT_EQ(VisualStyle::select(0), 1);
}

}  // namespace
