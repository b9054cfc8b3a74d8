#pragma once
// The Shell port on ShellExecuteA, owned by one window.
#include "ports/shell.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32Shell : public Shell {
public:
  // *owner is read at each call: the window is made after the adapter.
  explicit Win32Shell(HWND* owner) : owner_(owner) {}
  long open(const std::string& file, const std::string& parameters,
            const std::string& directory) override;

private:
  HWND* owner_;
};

} // namespace tavrin::win32
