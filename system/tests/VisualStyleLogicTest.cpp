// The rules of the visual-style layer that need no window: control kinds, the message table,
// the state flags, the caption layout, the disabled colours and the loading of GradientFill.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/GdiScoped.h"
#include "system/VisualStyleControl.h"
#include "system/VisualStyleGradient.h"
#include "system/VisualStylePaint.h"
#include "system/tests/StyleTestSupport.h"

using namespace visual_style;

namespace {

struct KindCase {
  const char* className;
  LONG_PTR style;
  const char* parentClassName;
  bool hasText;
  ControlKind kind;
};

class Kinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(Kinds, FollowClassNameAndStyle) {
  const KindCase& c = GetParam();
  EXPECT_EQ(kindOf(c.className, c.style, c.parentClassName, c.hasText), c.kind)
      << c.className << " style " << std::hex << c.style;
}

constexpr LONG_PTR kChild = WS_CHILD | WS_VISIBLE;

INSTANTIATE_TEST_SUITE_P(
    Table, Kinds,
    ::testing::Values(
        KindCase{"Button", kChild | BS_PUSHBUTTON, "", true, ControlKind::PushButton},
        KindCase{"BUTTON", kChild | BS_DEFPUSHBUTTON, "", true, ControlKind::PushButton},
        KindCase{"button", kChild | BS_CHECKBOX, "", true, ControlKind::CheckBox},
        KindCase{"Button", kChild | BS_AUTOCHECKBOX, "", true, ControlKind::CheckBox},
        KindCase{"Button", kChild | BS_3STATE, "", true, ControlKind::CheckBox},
        KindCase{"Button", kChild | BS_AUTO3STATE | BS_PUSHLIKE, "", true, ControlKind::PushButton},
        KindCase{"Button", kChild | BS_RADIOBUTTON, "", true, ControlKind::RadioButton},
        KindCase{"Button", kChild | BS_AUTORADIOBUTTON | BS_PUSHLIKE, "", true,
                 ControlKind::PushButton},
        KindCase{"Button", kChild | BS_GROUPBOX, "", true, ControlKind::GroupBox},
        KindCase{"Button", kChild | BS_OWNERDRAW, "", true, ControlKind::None},
        KindCase{"Button", kChild | BS_USERBUTTON, "", true, ControlKind::None},
        KindCase{"Button", kChild | 0x0C /* split button */, "", true, ControlKind::None},
        KindCase{"Button", kChild | BS_PUSHBUTTON | BS_BITMAP, "", true, ControlKind::None},
        // The caption-less placeholder: exactly WS_CHILD | WS_TABSTOP and no text.
        KindCase{"Button", WS_CHILD | WS_TABSTOP, "", false, ControlKind::None},
        KindCase{"Button", WS_CHILD | WS_TABSTOP, "", true, ControlKind::PushButton},
        KindCase{"Button", WS_CHILD | WS_TABSTOP | WS_VISIBLE, "", false,
                 ControlKind::PushButton},
        KindCase{"Edit", kChild | ES_CENTER, "DusklockWindow", true, ControlKind::EditBox},
        KindCase{"EDIT", kChild, "sysipaddress32", true, ControlKind::None},
        KindCase{"ComboBox", kChild | CBS_SIMPLE, "", true, ControlKind::None},
        KindCase{"ComboBox", kChild | CBS_DROPDOWN, "", true, ControlKind::ComboBox},
        KindCase{"combobox", kChild | CBS_DROPDOWNLIST, "", true, ControlKind::ComboBox},
        KindCase{"ComboLBox", static_cast<LONG_PTR>(WS_POPUP), "", false, ControlKind::ComboList},
        KindCase{"msctls_updown32", kChild, "", false, ControlKind::UpDown},
        KindCase{"Static", kChild, "", true, ControlKind::None},
        KindCase{"ScrollBar", kChild, "", false, ControlKind::None},
        KindCase{"msctls_progress32", kChild, "", false, ControlKind::None},
        KindCase{"SysListView32", kChild, "", false, ControlKind::None},
        KindCase{"Buttons", kChild, "", true, ControlKind::None}));

struct HandlingCase {
  const char* name;
  ControlKind kind;
  UINT message;
  StateChange change;
  Callee callee;
  bool paint;
};

class MessageTable : public ::testing::TestWithParam<HandlingCase> {};

TEST_P(MessageTable, CallsAndPaintsAsTheTableSays) {
  const HandlingCase& c = GetParam();
  const Handling handling = handlingFor(c.kind, c.message, c.change);
  EXPECT_EQ(handling.callee, c.callee);
  EXPECT_EQ(handling.paint, c.paint);
}

constexpr StateChange kNoChange{};
constexpr StateChange kBecameHot{true, false};
constexpr StateChange kWasHot{false, true};

INSTANTIATE_TEST_SUITE_P(
    Table, MessageTable,
    ::testing::Values(
        HandlingCase{"PushPaint", ControlKind::PushButton, WM_PAINT, kNoChange, Callee::Default, true},
        HandlingCase{"PushSetText", ControlKind::PushButton, WM_SETTEXT, kNoChange, Callee::Default, true},
        HandlingCase{"PushErase", ControlKind::PushButton, WM_ERASEBKGND, kNoChange, Callee::Own, false},
        HandlingCase{"PushSetState", ControlKind::PushButton, BM_SETSTATE, kNoChange, Callee::Own, true},
        HandlingCase{"PushSetStyle", ControlKind::PushButton, BM_SETSTYLE, kNoChange, Callee::Own, true},
        HandlingCase{"CheckSetCheck", ControlKind::CheckBox, BM_SETCHECK, kNoChange, Callee::Own, true},
        HandlingCase{"RadioPaint", ControlKind::RadioButton, WM_PAINT, kNoChange, Callee::Default, true},
        HandlingCase{"PushFocus", ControlKind::PushButton, WM_SETFOCUS, kNoChange, Callee::Own, true},
        HandlingCase{"PushEnable", ControlKind::PushButton, WM_ENABLE, kNoChange, Callee::Own, true},
        HandlingCase{"PushEntering", ControlKind::PushButton, WM_MOUSEMOVE, kBecameHot, Callee::Own, true},
        HandlingCase{"PushMoving", ControlKind::PushButton, WM_MOUSEMOVE, kNoChange, Callee::Own, false},
        HandlingCase{"PushLeaving", ControlKind::PushButton, WM_MOUSELEAVE, kWasHot, Callee::Own, true},
        HandlingCase{"PushLeaveNotHot", ControlKind::PushButton, WM_MOUSELEAVE, kNoChange, Callee::Own, false},
        HandlingCase{"PushClick", ControlKind::PushButton, WM_LBUTTONDOWN, kNoChange, Callee::Own, false},
        HandlingCase{"PushNcPaint", ControlKind::PushButton, WM_NCPAINT, kNoChange, Callee::Own, false},
        HandlingCase{"EditPaint", ControlKind::EditBox, WM_PAINT, kNoChange, Callee::Own, true},
        HandlingCase{"EditNcPaint", ControlKind::EditBox, WM_NCPAINT, kNoChange, Callee::Own, true},
        HandlingCase{"EditScroll", ControlKind::EditBox, WM_HSCROLL, kNoChange, Callee::Own, true},
        HandlingCase{"EditReadOnly", ControlKind::EditBox, EM_SETREADONLY, kNoChange, Callee::Own, false},
        HandlingCase{"EditLeaving", ControlKind::EditBox, WM_MOUSELEAVE, kWasHot, Callee::Default, true},
        HandlingCase{"EditLeaveNotHot", ControlKind::EditBox, WM_MOUSELEAVE, kNoChange, Callee::Own, false},
        HandlingCase{"EditSetText", ControlKind::EditBox, WM_SETTEXT, kNoChange, Callee::Own, false},
        HandlingCase{"ComboPress", ControlKind::ComboBox, WM_LBUTTONDOWN, kNoChange, Callee::Own, true},
        HandlingCase{"ComboPaint", ControlKind::ComboBox, WM_PAINT, kNoChange, Callee::Own, true},
        HandlingCase{"UpDownPaint", ControlKind::UpDown, WM_PAINT, kNoChange, Callee::Default, true},
        HandlingCase{"UpDownErase", ControlKind::UpDown, WM_ERASEBKGND, kNoChange, Callee::None, false},
        HandlingCase{"UpDownPress", ControlKind::UpDown, WM_LBUTTONDOWN, kNoChange, Callee::Own, false},
        HandlingCase{"UpDownMove", ControlKind::UpDown, WM_MOUSEMOVE, kBecameHot, Callee::Own, false},
        HandlingCase{"GroupNcPaint", ControlKind::GroupBox, WM_NCPAINT, kNoChange, Callee::Default, true},
        HandlingCase{"GroupErase", ControlKind::GroupBox, WM_ERASEBKGND, kNoChange, Callee::Own, false},
        HandlingCase{"ListFocus", ControlKind::ComboList, WM_KILLFOCUS, kNoChange, Callee::Own, true}),
    [](const ::testing::TestParamInfo<HandlingCase>& info) { return info.param.name; });

TEST(StateFlags, HotIsSetOnlyByAMoveWithoutTheLeftButtonAndClearedByLeaving) {
  ControlState state;
  EXPECT_FALSE(applyMessage(ControlKind::PushButton, state, WM_MOUSEMOVE, MK_LBUTTON).becameHot);
  EXPECT_FALSE(state.hot);
  EXPECT_TRUE(applyMessage(ControlKind::PushButton, state, WM_MOUSEMOVE, 0).becameHot);
  EXPECT_TRUE(state.hot);
  EXPECT_FALSE(applyMessage(ControlKind::PushButton, state, WM_MOUSEMOVE, 0).becameHot)
      << "a control already hot became hot again";
  EXPECT_TRUE(applyMessage(ControlKind::PushButton, state, WM_MOUSELEAVE, 0).wasHot);
  EXPECT_FALSE(state.hot);
  EXPECT_FALSE(applyMessage(ControlKind::PushButton, state, WM_MOUSELEAVE, 0).wasHot);

  ControlState upDown;
  applyMessage(ControlKind::UpDown, upDown, WM_MOUSEMOVE, 0);
  EXPECT_FALSE(upDown.hot);
}

TEST(StateFlags, ButtonMessagesSetPressedDefaultCheckedAndIndeterminate) {
  ControlState state;
  applyMessage(ControlKind::PushButton, state, BM_SETSTATE, TRUE);
  EXPECT_TRUE(state.pressed);
  applyMessage(ControlKind::PushButton, state, BM_SETSTATE, FALSE);
  EXPECT_FALSE(state.pressed);
  applyMessage(ControlKind::PushButton, state, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_MULTILINE);
  EXPECT_TRUE(state.isDefault);
  applyMessage(ControlKind::PushButton, state, BM_SETSTYLE, BS_PUSHBUTTON | BS_MULTILINE);
  EXPECT_FALSE(state.isDefault);
  applyMessage(ControlKind::CheckBox, state, BM_SETCHECK, BST_CHECKED);
  EXPECT_TRUE(state.checked);
  EXPECT_FALSE(state.indeterminate);
  applyMessage(ControlKind::CheckBox, state, BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_FALSE(state.checked);
  EXPECT_TRUE(state.indeterminate);
  applyMessage(ControlKind::CheckBox, state, BM_SETCHECK, 7);
  EXPECT_FALSE(state.checked);
  EXPECT_FALSE(state.indeterminate);
}

TEST(StateFlags, FocusEnablingAndComboPressing) {
  ControlState state;
  applyMessage(ControlKind::EditBox, state, WM_ENABLE, FALSE);
  EXPECT_TRUE(state.disabled);
  applyMessage(ControlKind::EditBox, state, WM_ENABLE, TRUE);
  EXPECT_FALSE(state.disabled);
  applyMessage(ControlKind::EditBox, state, WM_SETFOCUS, 0);
  EXPECT_TRUE(state.focused);
  applyMessage(ControlKind::EditBox, state, WM_KILLFOCUS, 0);
  EXPECT_FALSE(state.focused);

  applyMessage(ControlKind::PushButton, state, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_FALSE(state.pressed) << "a push button is pressed by BM_SETSTATE only";
  applyMessage(ControlKind::ComboBox, state, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_TRUE(state.pressed);
  applyMessage(ControlKind::ComboBox, state, WM_LBUTTONUP, 0);
  EXPECT_FALSE(state.pressed);
}

TEST(StateFlags, InitialStateComesFromStyleFocusAndCheck) {
  const ControlState button = initialState(
      ControlKind::PushButton, WS_CHILD | WS_DISABLED | BS_DEFPUSHBUTTON, true, BST_INDETERMINATE);
  EXPECT_TRUE(button.disabled);
  EXPECT_TRUE(button.isDefault);
  EXPECT_TRUE(button.focused);
  EXPECT_TRUE(button.indeterminate);
  EXPECT_FALSE(button.checked);
  EXPECT_FALSE(button.hot);
  EXPECT_FALSE(button.pressed);

  const ControlState edit = initialState(ControlKind::EditBox, WS_CHILD | ES_READONLY, false, 0);
  EXPECT_TRUE(edit.readOnly);
  EXPECT_FALSE(edit.disabled);

  const ControlState list = initialState(ControlKind::ComboBox, WS_CHILD | CBS_DROPDOWNLIST, false, 0);
  EXPECT_EQ(list.comboType, ComboType::DropDownList);

  const ControlState spin =
      initialState(ControlKind::UpDown, WS_CHILD | UDS_HORZ | UDS_ALIGNLEFT, false, 0);
  EXPECT_TRUE(spin.upDownHorizontal);
  EXPECT_EQ(spin.upDownSide, UpDownSide::Left);
}

TEST(SchemeColours, RingAndFaceByStatePrecedence) {
  const Scheme& scheme = schemeFor(3);
  ControlState state;
  EXPECT_EQ(&ringFor(scheme, state), &scheme.ringNormal);
  state.isDefault = true;
  EXPECT_EQ(&ringFor(scheme, state), &scheme.ringFocused);
  state.indeterminate = true;
  EXPECT_EQ(&ringFor(scheme, state), &scheme.ringChecked);
  EXPECT_EQ(&faceFor(scheme, state), &scheme.facePressed);
  state.hot = true;
  EXPECT_EQ(&ringFor(scheme, state), &scheme.ringHot);
  state.pressed = true;
  EXPECT_EQ(&ringFor(scheme, state), &scheme.ringPressed);
}

TEST(SchemeColours, BordersOfTheThreeSchemes) {
  EXPECT_EQ(schemeFor(1).pushButtonBorder, RGB(0x00, 0x3C, 0x73));
  EXPECT_EQ(schemeFor(1).editBorder, RGB(0x7B, 0x9E, 0xBD));
  EXPECT_EQ(schemeFor(2).pushButtonBorder, RGB(0x37, 0x62, 0x06));
  EXPECT_EQ(schemeFor(2).editBorder, RGB(0xA4, 0xB9, 0x7F));
  EXPECT_EQ(schemeFor(3).pushButtonBorder, RGB(0x00, 0x3C, 0x74));
  EXPECT_EQ(schemeFor(3).editBorder, RGB(0xC6, 0xC5, 0xD7));
}

TEST(SchemeColours, DisabledBorderSubtractsAsOneNumber) {
  EXPECT_EQ(disabledBorderColour(RGB(0xF0, 0xF0, 0xF0)), RGB(0xD0, 0xD0, 0xD0));
  // Red 10 minus 20 borrows from green, and so on: 0x101010 - 0x202020 = -0x101010.
  EXPECT_EQ(disabledBorderColour(RGB(0x10, 0x10, 0x10)), static_cast<COLORREF>(0xEFEFF0));
  EXPECT_EQ(darker(RGB(0x10, 0xF0, 0x05), 0x15, 0x15, 0x15), RGB(0x00, 0xDB, 0x00));
}

// Caption layout with a font in which every byte is 6 pixels wide.
int sixPixelsPerByte(const char*, int length) { return 6 * length; }

struct LaidOut {
  std::vector<std::string> lines;
  std::vector<RECT> rects;
};

LaidOut layout(const std::string& caption, LONG_PTR style, RECT box = RECT{4, 4, 66, 21}) {
  LaidOut result;
  for (const CaptionLine& line : layoutCaption(caption, box, style, 12, sixPixelsPerByte)) {
    result.lines.push_back(line.text);
    result.rects.push_back(line.rect);
  }
  return result;
}

TEST(CaptionLayout, OneLineIsCentredWithHalvesTruncated) {
  const LaidOut out = layout("abc", BS_CENTER | BS_VCENTER);
  ASSERT_EQ(out.lines, std::vector<std::string>{"abc"});
  EXPECT_EQ(out.rects[0].left, 4 + (62 - 18) / 2);
  EXPECT_EQ(out.rects[0].top, 4 + (17 - 12) / 2);  // 2.5 truncated to 2
  EXPECT_EQ(out.rects[0].bottom, out.rects[0].top + 12);
}

TEST(CaptionLayout, BreaksAtCarriageReturnLineFeedOnly) {
  EXPECT_EQ(layout("ab\r\ncd", 0).lines, (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(layout("a\nb", 0).lines, std::vector<std::string>{"a\nb"});
  EXPECT_EQ(layout("a\rb", 0).lines, std::vector<std::string>{"a\rb"});
  EXPECT_TRUE(layout("", 0).lines.empty());
}

TEST(CaptionLayout, BreaksWhereTheNextCharacterWouldNotFit) {
  // Ten characters fill 60 of the 62 pixels; the eleventh starts a new line.
  EXPECT_EQ(layout("abcdefghijk", 0).lines, (std::vector<std::string>{"abcdefghij", "k"}));
  // A character wider than the box still gets a line of its own.
  EXPECT_EQ(layout("ab", 0, RECT{0, 0, 4, 40}).lines, (std::vector<std::string>{"a", "b"}));
}

TEST(CaptionLayout, TwoByteCharactersAreNeverSplit) {
  const std::string year = "年";  // GBK: two bytes, the first above 128
  ASSERT_EQ(year.size(), 2u);
  std::string six;
  for (int i = 0; i < 6; ++i) six += year;
  const LaidOut out = layout(six, 0);
  ASSERT_EQ(out.lines.size(), 2u);
  EXPECT_EQ(out.lines[0].size(), 10u);
  EXPECT_EQ(out.lines[1], year);
}

TEST(CaptionLayout, LinesHoldAtMost1023Bytes) {
  const LaidOut out = layout(std::string(1100, 'a'), 0, RECT{0, 0, 100000, 100});
  ASSERT_EQ(out.lines.size(), 2u);
  EXPECT_EQ(out.lines[0].size(), 1023u);
  EXPECT_EQ(out.lines[1].size(), 77u);
}

TEST(CaptionLayout, BlockHeightIsCappedAtTheBox) {
  // Two lines of 12 pixels in a 17-pixel box: the block is 17 high and starts at the top.
  const LaidOut out = layout("ab\r\ncd", BS_CENTER | BS_VCENTER);
  ASSERT_EQ(out.rects.size(), 2u);
  EXPECT_EQ(out.rects[0].top, 4);
  EXPECT_EQ(out.rects[1].top, 16);
  EXPECT_EQ(out.rects[1].bottom, 21) << "the second line is cut at the box's bottom";
}

struct PositionCase {
  LONG_PTR style;
  LONG left;
  LONG top;
};

class CaptionPositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(CaptionPositions, NinePositionsOnlyWithBothAlignments) {
  const PositionCase& c = GetParam();
  const LaidOut out = layout("abc", c.style);  // 18 x 12 in the box 4,4 - 66,21
  ASSERT_EQ(out.rects.size(), 1u);
  EXPECT_EQ(out.rects[0].left, c.left) << std::hex << c.style;
  EXPECT_EQ(out.rects[0].top, c.top) << std::hex << c.style;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CaptionPositions,
    ::testing::Values(PositionCase{BS_LEFT | BS_TOP, 4, 4},
                      PositionCase{BS_CENTER | BS_TOP, 26, 4},
                      PositionCase{BS_RIGHT | BS_TOP, 48, 4},
                      PositionCase{BS_LEFT | BS_VCENTER, 4, 6},
                      PositionCase{BS_RIGHT | BS_VCENTER, 48, 6},
                      PositionCase{BS_LEFT | BS_BOTTOM, 4, 9},
                      PositionCase{BS_CENTER | BS_BOTTOM, 26, 9},
                      PositionCase{BS_RIGHT | BS_BOTTOM, 48, 9},
                      // Only one of the two alignments, or none: centred both ways.
                      PositionCase{BS_LEFT, 26, 6}, PositionCase{BS_RIGHT, 26, 6},
                      PositionCase{BS_BOTTOM, 26, 6}, PositionCase{BS_TOP, 26, 6},
                      PositionCase{0, 26, 6}));

TEST(CaptionLayout, EachLineIsAlignedOnItsOwn) {
  const LaidOut out = layout("a\r\nabc", BS_RIGHT | BS_TOP);
  ASSERT_EQ(out.rects.size(), 2u);
  EXPECT_EQ(out.rects[0].left, 66 - 6);
  EXPECT_EQ(out.rects[1].left, 66 - 18);
  EXPECT_EQ(out.rects[1].top, 16);
}

// The loader's record of what it was asked, for the fake LoadLibraryExA below.
struct LoadCall {
  std::string name;
  DWORD flags;
};
std::vector<LoadCall> loadCalls;
DWORD failSearchFlagWith = ERROR_INVALID_PARAMETER;

HMODULE WINAPI loaderWithoutSearchFlags(LPCSTR name, HANDLE file, DWORD flags) {
  loadCalls.push_back({name, flags});
  if (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) {
    SetLastError(failSearchFlagWith);
    return nullptr;
  }
  return LoadLibraryExA(name, file, flags);
}

std::string systemDirectory() {
  char path[MAX_PATH] = "";
  GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

std::string lowerCase(std::string text) {
  for (char& c : text) if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

TEST(SystemLibrary, LoadsFromTheSystemDirectory) {
  const HMODULE module = loadSystemLibrary("msimg32.dll");
  ASSERT_NE(module, nullptr);
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, MAX_PATH);
  EXPECT_EQ(lowerCase(path), lowerCase(systemDirectory() + "\\msimg32.dll"));
  FreeLibrary(module);
}

TEST(SystemLibrary, WithoutTheSearchFlagLoadsByFullSystemPath) {
  loadCalls.clear();
  failSearchFlagWith = ERROR_INVALID_PARAMETER;
  const HMODULE module = loadSystemLibrary("msimg32.dll", loaderWithoutSearchFlags);
  ASSERT_NE(module, nullptr);
  ASSERT_EQ(loadCalls.size(), 2u);
  EXPECT_EQ(loadCalls[0].name, "msimg32.dll");
  EXPECT_EQ(loadCalls[0].flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32));
  EXPECT_EQ(loadCalls[1].name, systemDirectory() + "\\msimg32.dll");
  EXPECT_EQ(loadCalls[1].flags, static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH));
  FreeLibrary(module);
}

TEST(SystemLibrary, AnyOtherFailureIsNotRetriedElsewhere) {
  loadCalls.clear();
  failSearchFlagWith = ERROR_MOD_NOT_FOUND;
  EXPECT_EQ(loadSystemLibrary("msimg32.dll", loaderWithoutSearchFlags), nullptr);
  EXPECT_EQ(loadCalls.size(), 1u);
}

// Draws a gradient into a 32-bit memory bitmap and compares it with the interpolated corners.
void expectGradient(bool (*fill)(HDC, const RECT&, const CornerColours&),
                    const CornerColours& colours) {
  const int width = 30, height = 21;
  gdi::ScopedWindowDC screen(nullptr);
  gdi::ScopedMemoryDC memory(screen.get());
  gdi::ScopedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  gdi::ScopedSelection selection(memory.get(), bitmap.get());
  const RECT area{0, 0, width, height};
  ASSERT_TRUE(fill(memory.get(), area, colours));
  for (int y : {0, 5, 10, 20}) {
    for (int x : {0, 15, 29}) {
      const COLORREF expected = style_test::gradientAt(colours, area, x, y);
      const COLORREF seen = GetPixel(memory.get(), x, y);
      EXPECT_LE(style_test::channelDistance(seen, expected), style_test::kGradientTolerance)
          << "at (" << x << "," << y << ") expected " << style_test::colourText(expected)
          << " saw " << style_test::colourText(seen);
    }
  }
}

TEST(Gradient, GradientFillInterpolatesTheCorners) {
  expectGradient(fillGradient, schemeFor(3).ringHot);
  expectGradient(fillGradient, schemeFor(3).ringChecked);
}

TEST(Gradient, RowFallbackMatchesATopToBottomGradient) {
  expectGradient(fillGradientByRows, schemeFor(3).ringFocused);
  expectGradient(fillGradientByRows, schemeFor(3).facePressed);
}

}  // namespace
