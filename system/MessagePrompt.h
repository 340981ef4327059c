#pragma once
// The modal Windows message box, turned into an answer code.
#include <windows.h>

#include <cstdint>

#include "schedule/Texts.h"

struct MessagePrompt {
  // Shows the box and waits, running the thread's messages, until the user presses a button.
  // The box is task-modal unless the style asks for MB_SYSTEMMODAL. Answers: 0 OK or a failed
  // call, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No. An absent text counts as empty.
  static int32_t ask(const char* message, int32_t style,
                     const char* title = texts::kPromptDefaultTitle, HWND owner = nullptr);
};

// The message box function MessagePrompt calls: MessageBoxA, unless a test has put its own in
// place with ScopedMessageBoxCall to see the exact flags or to make the call fail.
using MessageBoxCall = decltype(&::MessageBoxA);
MessageBoxCall activeMessageBoxCall();

class ScopedMessageBoxCall {
 public:
  explicit ScopedMessageBoxCall(MessageBoxCall replacement);
  ~ScopedMessageBoxCall();
  ScopedMessageBoxCall(const ScopedMessageBoxCall&) = delete;
  ScopedMessageBoxCall& operator=(const ScopedMessageBoxCall&) = delete;

 private:
  MessageBoxCall previous_;
};
