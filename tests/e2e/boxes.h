// The app's message boxes and common dialogs (#32770 windows): their texts, their
// buttons and their fields. App finds them (App::waitBox) and runs its file and folder
// dialogs through them.
#pragma once

#include "e2e/window_text.h"

#include <windows.h>

#include <string>

namespace e2e {

// A #32770 window of the app: a message box or a common dialog.
class Box {
public:
  explicit Box(HWND hwnd) : hwnd_(hwnd) {}
  HWND hwnd() const { return hwnd_; }
  std::string caption() const { return windowText(hwnd_); }
  std::string text() const; // a message box's text (the static 0xFFFF)
  void press(int id) const; // posted, so a nested prompt can't block the driver
  void setItemText(int id, const std::string& text) const;
  void waitClosed(const std::string& what) const;

private:
  HWND hwnd_;
};

// The platform's description of an error as the program's error boxes show it: without
// its trailing spaces, line breaks and full stops.
std::string systemDescription(DWORD code);

} // namespace e2e
