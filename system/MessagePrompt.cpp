#include "system/MessagePrompt.h"

namespace {

MessageBoxCall messageBoxCall = &::MessageBoxA;

// MessageBoxA answers IDOK (1) to IDNO (7); the answer code is one less. A failed call (0) and
// the results of buttons this program never shows count as 0.
int32_t answerFor(int result) {
  return result >= IDOK && result <= IDNO ? result - 1 : 0;
}

}  // namespace

MessageBoxCall activeMessageBoxCall() { return messageBoxCall; }

ScopedMessageBoxCall::ScopedMessageBoxCall(MessageBoxCall replacement)
    : previous_(messageBoxCall) {
  messageBoxCall = replacement;
}

ScopedMessageBoxCall::~ScopedMessageBoxCall() { messageBoxCall = previous_; }

int32_t MessagePrompt::ask(const char* message, int32_t style, const char* title, HWND owner) {
  UINT flags = static_cast<UINT>(style);
  // Task-modal with no owner: Windows disables the thread's other top-level windows while the
  // box is open, so nothing of the program can be clicked behind it.
  if (!(flags & MB_SYSTEMMODAL)) flags |= MB_TASKMODAL;
  return answerFor(messageBoxCall(owner, message ? message : "", title ? title : "", flags));
}
