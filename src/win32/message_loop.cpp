#include "win32/message_loop.h"

#include "win32/modal_scope.h"

#include <utility>

namespace tavrin::win32 {

void MessageLoop::waitForInput() {
  // One wait covers at most MAXIMUM_WAIT_OBJECTS - 1 handles besides the queue.
  const std::vector<HANDLE> handles = processes_.handles(MAXIMUM_WAIT_OBJECTS - 1);
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD r = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT,
                                              MWMO_INPUTAVAILABLE);
  if (r < WAIT_OBJECT_0 + count) {
    errors_.guard([&] { processes_.ended(r - WAIT_OBJECT_0); });
  } else if (r == WAIT_FAILED) {
    // A handle that can't be waited for would fail every wait and make the loop spin:
    // its process is taken as ended. Should none be at fault, wait for messages alone.
    std::size_t dropped = 0;
    errors_.guard([&] { dropped = processes_.dropUnwaitable(); });
    if (!dropped)
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

bool MessageLoop::pumpOne() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    quit_ = true;
    exitCode_ = static_cast<int>(msg.wParam);
    return true;
  }
  for (HWND dialog : {modal_, modeless_})
    if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) return true;
  if (accelerators_ && main_ && IsWindowEnabled(main_) &&
      TranslateAcceleratorA(main_, accelerators_, &msg))
    return true;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

int MessageLoop::run() {
  while (!quit_) {
    while (!quit_ && pumpOne()) {
    }
    if (!quit_) waitForInput();
  }
  return exitCode_;
}

void MessageLoop::runUntil(const std::function<bool()>& done) {
  while (!quit_ && !done()) {
    if (!pumpOne()) waitForInput();
  }
  // A WM_QUIT seen inside a nested loop must still end the outer one.
  if (quit_) PostQuitMessage(exitCode_);
  quit_ = false;
}

void MessageLoop::runModal(HWND dialog) {
  {
    ModalScope modal(dialog);
    HWND outer = std::exchange(modal_, dialog);
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    runUntil([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
    modal_ = outer;
  }
  if (main_ && IsWindow(main_)) SetActiveWindow(main_);
}

} // namespace tavrin::win32
