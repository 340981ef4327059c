#include "ui/Layouts.h"

#include <cstring>

#include "schedule/Texts.h"
#include "ui/ControlNames.h"
#include "ui/ProgramIcon.h"

namespace {

constexpr ControlLayout button(const char* name, int32_t left, int32_t top, int32_t width,
                               int32_t height, const char* caption) {
  return {ControlKind::Button, name, left, top, width, height, caption, true, false, true,
          HorizontalAlignment::Centre, TextEffect::None, nullptr, kBlack, kSystemBackground, 0};
}

constexpr ControlLayout editBox(const char* name, int32_t left, int32_t top, int32_t width,
                                int32_t height, const char* text) {
  return {ControlKind::EditBox, name, left, top, width, height, text, true, false, true,
          HorizontalAlignment::Left, TextEffect::None, nullptr, kBlack, kWhite, 0};
}

constexpr ControlLayout label(const char* name, int32_t left, int32_t top, int32_t width,
                              int32_t height, const char* caption) {
  return {ControlKind::Label, name, left, top, width, height, caption, true, false, false,
          HorizontalAlignment::Left, TextEffect::None, nullptr, kBlack, kSystemBackground, 0};
}

constexpr ControlLayout timer(const char* name, int32_t left, int32_t top, int32_t width,
                              int32_t height) {
  return {ControlKind::Timer, name, left, top, width, height, nullptr, false, false, false,
          HorizontalAlignment::Left, TextEffect::None, nullptr, kBlack, kSystemBackground, 0};
}

constexpr ControlLayout withCentredText(ControlLayout control, const FontLayout* font) {
  control.alignment = HorizontalAlignment::Centre;
  control.font = font;
  return control;
}

constexpr ControlLayout engravedCentred(ControlLayout control) {
  control.alignment = HorizontalAlignment::Centre;
  control.effect = TextEffect::Engraved;
  return control;
}

constexpr FontLayout kDeadlineFont = {"宋体", -16, 700, false, false, false};

// Creation order; the tab order of each window is the order of its tab stops here.
constexpr ControlLayout kMainWindowControls[] = {
    timer(mainwindow::kTimer, 208, 0, 32, 24),
    button(mainwindow::kStartButton, 0, 40, 70, 25, texts::kStartCaptionIdle),
    withCentredText(editBox(mainwindow::kDeadlineBox, 0, 0, 240, 40, texts::kDeadlineInstruction),
                    &kDeadlineFont),
    button(mainwindow::kCountdownButton, 70, 40, 170, 25, texts::kCountdownCaptionIdle),
};

constexpr ControlLayout kDateEntryWindowControls[] = {
    editBox(dateentry::kFieldBoxes[0], 1, 20, 43, 20, ""),
    label("标签1", 48, 20, 12, 20, texts::kYear),
    editBox(dateentry::kFieldBoxes[1], 61, 20, 25, 20, ""),
    label("标签2", 89, 20, 12, 20, texts::kMonth),
    label("标签3", 129, 20, 12, 20, texts::kDay),
    editBox(dateentry::kFieldBoxes[2], 101, 20, 25, 20, ""),
    label("标签4", 168, 20, 12, 20, texts::kHour),
    editBox(dateentry::kFieldBoxes[3], 140, 20, 25, 20, ""),
    label("标签5", 208, 20, 12, 20, texts::kMinute),
    editBox(dateentry::kFieldBoxes[4], 180, 20, 25, 20, ""),
    label("标签6", 249, 20, 12, 20, texts::kSecond),
    editBox(dateentry::kFieldBoxes[5], 221, 20, 25, 20, ""),
    button(dateentry::kCloseButton, 244, 0, 20, 20, texts::kDateEntryClose),
    engravedCentred(label("标签7", 4, 0, 235, 20, texts::kDateEntryTitle)),
};

}  // namespace

const MenuItemLayout kMainWindowMenu[] = {
    {texts::kTrayMenu, 0, true, false, false, nullptr},
    {texts::kMenuStart, 1, false, false, false, nullptr},
    {texts::kMenuStop, 1, false, false, false, nullptr},
    {texts::kMenuClose, 1, false, false, false, nullptr},
    {texts::kTimeMenu, 0, true, false, false, nullptr},
    {texts::kMenuTonight, 1, false, false, false, nullptr},
    {texts::kMenu60, 1, false, false, false, nullptr},
    {texts::kMenu120, 1, false, false, false, nullptr},
    {texts::kMenu180, 1, false, false, false, nullptr},
};
const size_t kMainWindowMenuCount = sizeof(kMainWindowMenu) / sizeof(kMainWindowMenu[0]);

const WindowLayout kMainWindowLayout = {
    texts::kMainWindowTitle,
    246, 97,
    WindowPlacement::Centred,
    WindowFrame::Fixed,
    /*controlBox=*/true,
    /*minimiseButton=*/true,
    /*maximiseButton=*/false,
    /*visible=*/true,
    /*movable=*/true,
    /*shownInTaskbar=*/true,
    /*alwaysOnTop=*/false,
    /*keepTitleBarActive=*/true,
    /*escCloses=*/false,
    /*enterMovesFocus=*/false,
    kSystemBackground,
    &kProgramIcon,
    kMainWindowControls,
    sizeof(kMainWindowControls) / sizeof(kMainWindowControls[0]),
    kMainWindowMenu,
    sizeof(kMainWindowMenu) / sizeof(kMainWindowMenu[0]),
};

const WindowLayout kDateEntryWindowLayout = {
    "",
    270, 47,
    WindowPlacement::Centred,
    WindowFrame::Fixed,
    /*controlBox=*/false,
    /*minimiseButton=*/false,
    /*maximiseButton=*/false,
    /*visible=*/true,
    /*movable=*/true,
    /*shownInTaskbar=*/true,
    /*alwaysOnTop=*/false,
    /*keepTitleBarActive=*/false,
    /*escCloses=*/true,
    /*enterMovesFocus=*/false,
    kSystemBackground,
    nullptr,
    kDateEntryWindowControls,
    sizeof(kDateEntryWindowControls) / sizeof(kDateEntryWindowControls[0]),
    nullptr,
    0,
};

int32_t controlIndex(const WindowLayout& layout, const char* name) {
  for (size_t i = 0; i < layout.controlCount; ++i) {
    if (std::strcmp(layout.controls[i].name, name) == 0) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t menuItemIndex(const WindowLayout& layout, const char* caption) {
  for (size_t i = 0; i < layout.menuCount; ++i) {
    if (std::strcmp(layout.menu[i].caption, caption) == 0) return static_cast<int32_t>(i);
  }
  return -1;
}
