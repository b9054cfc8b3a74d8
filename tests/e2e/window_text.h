// What a window of another process says about itself: its text and its class name.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

std::string windowText(HWND hwnd); // WM_GETTEXT, bounded; "" for a window that is gone
std::string className(HWND hwnd);

} // namespace e2e
