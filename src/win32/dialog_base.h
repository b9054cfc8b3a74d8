#pragma once
// A dialog made from a template in the resources, whose state lives in an object:
// `this` is stored at WM_INITDIALOG and every message goes to handle(). The template
// names the dialog's window class, so each dialog keeps a class of its own. Errors
// thrown by a handler are shown by the default error box.
#include "win32/error_box.h"
#include "win32/handles.h"

#include <windows.h>

namespace tavrin::win32 {

class DialogBase {
public:
  explicit DialogBase(const ErrorBox& errors) : errors_(errors) {}
  // The object owns its dialog: one still there when the object goes is destroyed then,
  // without its handler.
  virtual ~DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  HWND hwnd() const { return hwnd_; }
  // The handle as adapters made before the window read it: null until it exists.
  const HWND* windowHandle() const { return &hwnd_; }

protected:
  // Registers className for dialogs once and creates the hidden dialog from the
  // template; throws Error when it can't be made.
  void createDialog(int templateId, const char* className, HWND owner);
  // A message for the dialog; returns whether it was handled, with the result in
  // *result (for WM_CTLCOLOR* the brush, otherwise the message's own result).
  virtual bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) = 0;
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  const ErrorBox& errors() const { return errors_; }
  // Dialog units are a grid of the dialog font's size; where a design size in pixels
  // falls between its lines, these put it back.
  void setClientSize(int width, int height) const;
  void setItemHeight(int id, int height) const;

private:
  static INT_PTR CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  const ErrorBox& errors_;
  HWND hwnd_ = nullptr;
  ObjectDialog window_;
};

} // namespace tavrin::win32
