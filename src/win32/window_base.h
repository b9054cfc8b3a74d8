#pragma once
// A window whose state lives in an object: `this` is stored at WM_NCCREATE and every
// message goes to handle(). Errors thrown by a handler end that handler and are shown
// by the default error box; none crosses the Win32 callback.
#include "win32/error_box.h"
#include "win32/handles.h"

#include <windows.h>

namespace tavrin::win32 {

// The object owns its window: a window still there when the object goes is destroyed
// then, without its handler.
class WindowBase {
public:
  virtual ~WindowBase() = default;
  HWND hwnd() const { return hwnd_; }
  // The handle as adapters made before the window read it: null until it exists.
  const HWND* windowHandle() const { return &hwnd_; }

protected:
  // Registers the class once (with this type's procedure) and creates the window.
  // errors shows what the handlers throw; without one a plain box does.
  HWND createWindow(const char* className, DWORD exStyle, const char* caption, DWORD style, int x,
                    int y, int w, int h, HWND owner, const ErrorBox* errors);
  virtual LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
  LRESULT defaultHandle(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(hwnd_, msg, wp, lp);
  }

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  const ErrorBox* errors_ = nullptr;
  ObjectWindow window_;
};

// Shows the exception being handled with errors, or in a plain box when there is none.
void reportCurrentException(const ErrorBox* errors);

} // namespace tavrin::win32
