#include "win32/dialog_base.h"

#include "core/error.h"

#include <string>

namespace tavrin::win32 {

void DialogBase::createDialog(int templateId, const char* className, HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(instance, className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefDlgProcA;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
  }
  HWND created = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner,
                                    &DialogBase::procedure, reinterpret_cast<LPARAM>(this));
  if (!created) throw Error("Cannot create the window " + std::string(className));
  if (hwnd_ == created) window_.reset(created);
}

void DialogBase::setClientSize(int width, int height) const {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogBase::setItemHeight(int id, int height) const {
  HWND control = item(id);
  RECT r{};
  GetWindowRect(control, &r);
  SetWindowPos(control, nullptr, 0, 0, r.right - r.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogBase::procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DialogBase* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<DialogBase*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    LRESULT result = 0;
    const bool handled = self->handle(msg, wp, lp, &result);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      self->window_.release();
    }
    if (!handled) return FALSE;
    // These answer through the procedure's own result; every other message through
    // DWLP_MSGRESULT.
    if (msg == WM_INITDIALOG || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
        msg == WM_CHARTOITEM || msg == WM_VKEYTOITEM || msg == WM_QUERYDRAGICON ||
        msg == WM_COMPAREITEM)
      return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
  } catch (...) {
    self->errors_.showCurrentException();
  }
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace tavrin::win32
