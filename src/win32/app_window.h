#pragma once
// The application window: hidden, it carries the title on the taskbar and owns the
// main window, the dialogs and the default error box.
#include "win32/window_base.h"

#include <string>

namespace tavrin::win32 {

class AppWindow : public WindowBase {
public:
  // Creates the window; throws Error when it can't be made.
  explicit AppWindow(const std::string& title);
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;

  // The window that the taskbar button activates and closes.
  void setMainWindow(HWND main) { main_ = main; }

protected:
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
  HWND main_ = nullptr;
};

} // namespace tavrin::win32
