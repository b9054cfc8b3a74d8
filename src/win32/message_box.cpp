#include "win32/message_box.h"

#include "win32/modal_scope.h"

namespace tavrin::win32 {

Answer MessageBoxPrompt::show(const std::string& text, const std::string& caption, Icon icon,
                              Buttons buttons) {
  UINT type = 0;
  switch (icon) {
  case Icon::None:
    break;
  case Icon::Information:
    type |= MB_ICONINFORMATION;
    break;
  case Icon::Question:
    type |= MB_ICONQUESTION;
    break;
  case Icon::Warning:
    type |= MB_ICONWARNING;
    break;
  case Icon::Error:
    type |= MB_ICONERROR;
    break;
  }
  switch (buttons) {
  case Buttons::Ok:
    type |= MB_OK;
    break;
  case Buttons::OkCancel:
    type |= MB_OKCANCEL;
    break;
  case Buttons::YesNoCancel:
    type |= MB_YESNOCANCEL | MB_DEFBUTTON1;
    break;
  }
  HWND owner = *owner_;
  ModalScope modal(owner);
  switch (MessageBoxA(owner, text.c_str(), caption.c_str(), type)) {
  case IDOK:
    return Answer::Ok;
  case IDYES:
    return Answer::Yes;
  case IDNO:
    return Answer::No;
  default:
    return Answer::Cancel;
  }
}

} // namespace tavrin::win32
