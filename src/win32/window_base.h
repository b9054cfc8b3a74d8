#pragma once
// A window whose state lives in an object: `this` is stored at WM_NCCREATE and every
// message goes to handle(). Errors thrown by a handler end that handler and are shown
// by the default error box; none crosses the Win32 callback.
#include <windows.h>

#include <string>

namespace tavrin::win32 {

// The default error box: the application's title as caption, error icon, OK, and the
// full stop rule on the text. Owned by the application window.
void showDefaultError(const std::string& text);
// Runs f, showing any error it throws with the default error box.
template <class F> void guarded(F&& f);

class WindowBase {
public:
  virtual ~WindowBase() = default;
  HWND hwnd() const { return hwnd_; }

protected:
  // Registers the class once (with this type's procedure) and creates the window.
  HWND createWindow(const char* className, DWORD exStyle, const char* caption, DWORD style, int x,
                    int y, int w, int h, HWND owner, HMENU menu, UINT classStyle = 0,
                    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
  LRESULT defaultHandle(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd_, msg, wp, lp);
  }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

void reportCurrentException();

template <class F> void guarded(F&& f) {
  try {
    f();
  } catch (...) {
    reportCurrentException();
  }
}

} // namespace tavrin::win32
