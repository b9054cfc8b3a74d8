#include "app/find_dialog.h"

#include "win32/late_bound.h"

#include <dlgs.h>

namespace tavrin {

namespace {
constexpr DWORD kKeptFlags = FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
}

FindDialog::FindDialog(win32::MessageLoop& loop)
    : loop_(loop), message_(RegisterWindowMessageA(FINDMSGSTRINGA)) {}

void FindDialog::show(HWND owner) {
  if (window_ && IsWindow(window_)) {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    return;
  }
  find_ = {};
  find_.lStructSize = sizeof find_;
  find_.hwndOwner = owner;
  find_.lpstrFindWhat = text_.data();
  find_.wFindWhatLen = static_cast<WORD>(text_.size());
  find_.Flags = flags_;
  static const auto findText = win32::lateBound<decltype(FindTextA)>("comdlg32.dll", "FindTextA");
  window_ = findText(&find_);
  loop_.setModelessDialog(window_);
}

void FindDialog::keepFields() {
  // Read from the controls: the dialog hands back its text and options only with Find
  // Next, not when it closes.
  GetDlgItemTextA(window_, edt1, text_.data(), static_cast<int>(text_.size()));
  flags_ = 0;
  if (IsDlgButtonChecked(window_, rad2) == BST_CHECKED) flags_ |= FR_DOWN;
  if (IsDlgButtonChecked(window_, chx1) == BST_CHECKED) flags_ |= FR_WHOLEWORD;
  if (IsDlgButtonChecked(window_, chx2) == BST_CHECKED) flags_ |= FR_MATCHCASE;
}

FindDialog::Event FindDialog::handle(LPARAM lp) {
  auto* find = reinterpret_cast<FINDREPLACEA*>(lp);
  if (find->Flags & FR_DIALOGTERM) {
    keepFields();
    window_ = nullptr;
    loop_.setModelessDialog(nullptr);
    return Event::Closed;
  }
  if (find->Flags & FR_FINDNEXT) {
    flags_ = find->Flags & kKeptFlags;
    return Event::FindNext;
  }
  return Event::Other;
}

} // namespace tavrin
