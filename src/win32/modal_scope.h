#pragma once
// While alive, every window of the program but `owner` takes no input, as for a
// modal box or dialog that `owner` owns.
#include <windows.h>

#include <vector>

namespace tavrin::win32 {

class ModalScope {
public:
  explicit ModalScope(HWND owner);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

private:
  std::vector<HWND> disabled_;
};

} // namespace tavrin::win32
