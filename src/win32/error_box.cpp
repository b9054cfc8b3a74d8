#include "win32/error_box.h"

#include "core/error.h"
#include "win32/modal_scope.h"

#include <new>

namespace tavrin::win32 {

void ErrorBox::show(const std::string& text) const {
  ModalScope modal(owner_);
  MessageBoxA(owner_, withFullStop(text).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void ErrorBox::showCurrentException() const {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    show("Out of memory");
  } catch (const std::exception& e) {
    show(e.what());
  } catch (...) {
    show("Unexpected error");
  }
}

} // namespace tavrin::win32
