#pragma once
// The event loop: messages, the main window's shortcut keys, the keys of the dialog in
// front (Tab, Shift+Tab, Enter, Esc), and the ends of watched processes.
#include "win32/error_box.h"
#include "win32/process_watcher.h"

#include <windows.h>

#include <functional>

namespace tavrin::win32 {

class MessageLoop {
public:
  MessageLoop(ProcessWatcher& processes, const ErrorBox& errors)
      : processes_(processes), errors_(errors) {}

  void setMainWindow(HWND main, HACCEL accelerators) {
    main_ = main;
    accelerators_ = accelerators;
  }
  // A modeless dialog whose keys the loop lets it handle (the Find dialog); null: none.
  void setModelessDialog(HWND dialog) { modeless_ = dialog; }

  // Runs until WM_QUIT; returns its exit code.
  int run();
  // Shows a hidden dialog and returns when it is hidden again. Meanwhile every other
  // window of the program takes no input and the dialog handles its own keys; then
  // the main window is active again.
  void runModal(HWND dialog);
  // A nested loop until done() says so.
  void runUntil(const std::function<bool()>& done);

private:
  bool pumpOne();
  void waitForInput();

  ProcessWatcher& processes_;
  const ErrorBox& errors_;
  HWND main_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HWND modeless_ = nullptr;
  HWND modal_ = nullptr;
  bool quit_ = false;
  int exitCode_ = 0;
};

} // namespace tavrin::win32
