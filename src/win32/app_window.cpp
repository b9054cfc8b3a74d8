#include "win32/app_window.h"

namespace tavrin::win32 {

AppWindow::AppWindow(const std::string& title) {
  // Zero-sized and off to the side: never seen as a window, but it carries the title.
  createWindow("TApplication", 0, title.c_str(),
               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

LRESULT AppWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  // Activating the taskbar button brings the main window forward.
  if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE) {
    if (main_ && IsWindowEnabled(main_)) SetFocus(main_);
    return 0;
  }
  // Closing from the taskbar button closes the main window, which asks about unsaved
  // changes first; the application window goes only with it.
  if (msg == WM_CLOSE) {
    if (main_ && IsWindowEnabled(main_)) PostMessageA(main_, WM_CLOSE, 0, 0);
    return 0;
  }
  return defaultHandle(msg, wp, lp);
}

} // namespace tavrin::win32
