#pragma once
// The default error box: the application's title as caption, the error icon, OK, and
// the full-stop rule on the text, owned by the application window. Every window shows
// the errors its handlers throw through it; none crosses a Win32 callback.
#include <windows.h>

#include <string>
#include <utility>

namespace tavrin::win32 {

class ErrorBox {
public:
  ErrorBox(HWND owner, std::string title) : owner_(owner), title_(std::move(title)) {}

  void show(const std::string& text) const;
  // Shows the exception being handled (call inside a catch block).
  void showCurrentException() const;
  // Runs f, showing any error it throws.
  template <class F> void guard(F&& f) const {
    try {
      f();
    } catch (...) {
      showCurrentException();
    }
  }
  const std::string& title() const { return title_; }

private:
  HWND owner_;
  std::string title_;
};

} // namespace tavrin::win32
