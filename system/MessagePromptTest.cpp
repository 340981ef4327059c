// MessagePrompt: the exact call it makes (through a recording message box function), and the
// real message box under Wine, inspected and answered from a second thread.
#include "system/MessagePrompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

// ---- The call itself, recorded -------------------------------------------------------------

struct RecordedCall {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT flags = 0;
  int result = 0;
  int calls = 0;
};

RecordedCall recorded;  // reached by the plain function below

int WINAPI recordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  ++recorded.calls;
  recorded.owner = owner;
  recorded.text = text ? text : "(null)";
  recorded.caption = caption ? caption : "(null)";
  recorded.flags = flags;
  return recorded.result;
}

TEST(MessagePromptCall, EachMessageBoxResultBecomesItsAnswer) {
  ScopedMessageBoxCall recording(&recordingMessageBox);
  const struct {
    int result;
    int32_t answer;
  } cases[] = {{0, 0},       {IDOK, 0},     {IDCANCEL, 1}, {IDABORT, 2},     {IDRETRY, 3},
               {IDIGNORE, 4}, {IDYES, 5},    {IDNO, 6},     {IDCLOSE, 0},     {IDHELP, 0},
               {IDTRYAGAIN, 0}, {IDCONTINUE, 0}, {-1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    recorded = RecordedCall{};
    recorded.result = c.result;
    EXPECT_EQ(MessagePrompt::ask("q", MB_YESNO | MB_ICONHAND, "t"), c.answer);
    EXPECT_EQ(recorded.calls, 1);
  }
}

TEST(MessagePromptCall, TaskModalUnlessSystemModal) {
  ScopedMessageBoxCall recording(&recordingMessageBox);
  const struct {
    int32_t style;
    UINT flags;
  } cases[] = {
      {20, 8212},                       // the confirmation: Yes/No, stop icon, task-modal added
      {20 | MB_SYSTEMMODAL, 4116},      // system-modal is passed unchanged
      {20 | MB_TASKMODAL, 8212},        // already task-modal
      {0, MB_TASKMODAL},
      {MB_OKCANCEL | MB_DEFBUTTON2 | MB_SYSTEMMODAL, MB_OKCANCEL | MB_DEFBUTTON2 | MB_SYSTEMMODAL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    recorded = RecordedCall{};
    MessagePrompt::ask("q", c.style, "t");
    EXPECT_EQ(recorded.flags, c.flags);
  }
}

TEST(MessagePromptCall, DefaultsAndAbsentTexts) {
  ScopedMessageBoxCall recording(&recordingMessageBox);
  recorded = RecordedCall{};
  MessagePrompt::ask(texts::kConfirmMessage, 20);
  EXPECT_EQ(recorded.caption, "信息：");
  EXPECT_EQ(recorded.text, texts::kConfirmMessage);
  EXPECT_EQ(recorded.owner, nullptr);

  recorded = RecordedCall{};
  HWND const someOwner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
  MessagePrompt::ask(nullptr, 20, nullptr, someOwner);
  EXPECT_EQ(recorded.text, "") << "an absent message is the empty text";
  EXPECT_EQ(recorded.caption, "") << "an absent title is the empty text";
  EXPECT_EQ(recorded.owner, someOwner);
}

TEST(MessagePromptCall, ScopedCallRestoresTheRealOne) {
  const MessageBoxCall real = activeMessageBoxCall();
  ASSERT_NE(real, &recordingMessageBox);
  {
    ScopedMessageBoxCall recording(&recordingMessageBox);
    EXPECT_EQ(activeMessageBoxCall(), &recordingMessageBox);
  }
  EXPECT_EQ(activeMessageBoxCall(), real);
}

// ---- The real message box ------------------------------------------------------------------

// What the watcher saw of the open box.
struct BoxView {
  bool found = false;
  std::string title;
  std::string text;
  std::vector<int> buttons;  // control ids of the buttons, sorted
  HICON icon = nullptr;      // shown by the static with SS_ICON
  int focusedId = 0;
  bool topmost = false;
  bool otherWindowEnabled = true;
};

BOOL CALLBACK keepMessageBox(HWND window, LPARAM result) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(result) = window;
  return FALSE;
}

HWND findMessageBox(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, &keepMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string windowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BoxView inspect(HWND box, DWORD threadId, HWND otherWindow) {
  BoxView view;
  view.found = true;
  view.title = windowText(box);
  view.topmost = (GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  view.otherWindowEnabled = otherWindow && IsWindowEnabled(otherWindow);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    const std::string kind = className;
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (kind == "Button" && (style & WS_VISIBLE)) {
      view.buttons.push_back(GetDlgCtrlID(child));
    } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
      view.icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    } else if (kind == "Static" && !windowText(child).empty()) {
      view.text = windowText(child);
    }
  }
  std::sort(view.buttons.begin(), view.buttons.end());
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(threadId, &gui) && gui.hwndFocus) view.focusedId = GetDlgCtrlID(gui.hwndFocus);
  return view;
}

// Waits on a second thread for the box the test thread opens, records what it shows and presses
// the given button. The test thread sits in MessageBoxA's own message loop meanwhile.
class BoxWatcher {
 public:
  explicit BoxWatcher(int buttonToPress, HWND otherWindow = nullptr)
      : boxThread_(GetCurrentThreadId()),
        thread_([this, buttonToPress, otherWindow] { run(buttonToPress, otherWindow); }) {}
  ~BoxWatcher() {
    if (thread_.joinable()) thread_.join();
  }
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  // What the box showed; call after the prompt has returned.
  const BoxView& view() {
    if (thread_.joinable()) thread_.join();
    return view_;
  }

 private:
  void run(int buttonToPress, HWND otherWindow) {
    HWND box = nullptr;
    for (int waited = 0; waited < 20000 && !box; waited += 20) {
      box = findMessageBox(boxThread_);
      if (!box) Sleep(20);
    }
    if (!box) return;  // view_.found stays false; the prompt must have failed without a box
    view_ = inspect(box, boxThread_, otherWindow);
    // Posted, so the box's own loop delivers the click to the button as for a real one.
    PostMessageA(GetDlgItem(box, buttonToPress), BM_CLICK, 0, 0);
  }

  DWORD boxThread_;
  BoxView view_;
  std::thread thread_;
};

// A plain top-level window of the test thread, to watch the box disable it.
class TopLevelWindow {
 public:
  TopLevelWindow()
      : handle_(CreateWindowExA(0, "STATIC", "other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~TopLevelWindow() { DestroyWindow(handle_); }
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;
  HWND get() const { return handle_; }

 private:
  HWND handle_;
};

TEST(MessagePromptBox, ConfirmationShowsYesNoAndStopIconAndDisablesTheThreadsWindows) {
  TopLevelWindow other;
  ASSERT_TRUE(other.get());
  ASSERT_TRUE(IsWindowEnabled(other.get()));
  BoxWatcher watcher(IDYES, other.get());
  const int32_t answer = MessagePrompt::ask(texts::kConfirmMessage, 20, texts::kConfirmTitle);
  const BoxView& box = watcher.view();
  ASSERT_TRUE(box.found) << "no message box of this thread appeared";
  EXPECT_EQ(answer, 5);
  EXPECT_EQ(box.title, texts::kConfirmTitle);
  EXPECT_EQ(box.text, texts::kConfirmMessage);
  EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(box.icon, LoadIconA(nullptr, IDI_HAND)) << "not the stop-sign icon";
  EXPECT_EQ(box.focusedId, IDYES);
  EXPECT_FALSE(box.topmost);
  EXPECT_FALSE(box.otherWindowEnabled) << "task-modal box left the thread's window enabled";
  EXPECT_TRUE(IsWindowEnabled(other.get())) << "window not enabled again after the box";
}

TEST(MessagePromptBox, NoAnswers6) {
  BoxWatcher watcher(IDNO);
  EXPECT_EQ(MessagePrompt::ask(texts::kConfirmMessage, 20, texts::kConfirmTitle), 6);
  EXPECT_TRUE(watcher.view().found);
}

TEST(MessagePromptBox, OmittedTitleIsTheDefault) {
  BoxWatcher watcher(IDYES);
  EXPECT_EQ(MessagePrompt::ask("x", 20), 5);
  EXPECT_EQ(watcher.view().title, "信息：");
}

TEST(MessagePromptBox, SystemModalStyleIsNotMadeTaskModal) {
  TopLevelWindow other;
  BoxWatcher watcher(IDNO, other.get());
  EXPECT_EQ(MessagePrompt::ask("x", 20 | MB_SYSTEMMODAL, "t"), 6);
  const BoxView& box = watcher.view();
  ASSERT_TRUE(box.found);
  EXPECT_TRUE(box.topmost) << "a system-modal box stays on top";
  EXPECT_TRUE(box.otherWindowEnabled) << "MB_TASKMODAL was added to a system-modal style";
}

TEST(MessagePromptBox, FailedCallAnswers0) {
  HWND const destroyed = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(destroyed);
  DestroyWindow(destroyed);
  EXPECT_EQ(MessagePrompt::ask("x", 20, "t", destroyed), 0);
}

}  // namespace
