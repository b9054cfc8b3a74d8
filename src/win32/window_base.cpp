#include "win32/window_base.h"

#include "core/error.h"

#include <string>

namespace tavrin::win32 {

void reportCurrentException(const ErrorBox* errors) {
  if (errors) return errors->showCurrentException();
  static const ErrorBox plain(nullptr, "Error");
  plain.showCurrentException();
}

HWND WindowBase::createWindow(const char* className, DWORD exStyle, const char* caption,
                              DWORD style, int x, int y, int w, int h, HWND owner,
                              const ErrorBox* errors) {
  errors_ = errors;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(instance, className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowBase::procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    RegisterClassExA(&wc);
  }
  HWND created = CreateWindowExA(exStyle, className, caption, style, x, y, w, h, owner, nullptr,
                                 instance, this);
  if (!created) throw Error("Cannot create the window " + std::string(className));
  // A window destroyed while being made has let go of it already.
  if (hwnd_ == created) window_.reset(created);
  return created;
}

LRESULT CALLBACK WindowBase::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    LRESULT result = self->handle(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      self->window_.release();
    }
    return result;
  } catch (...) {
    reportCurrentException(self->errors_);
  }
  return 0;
}

} // namespace tavrin::win32
