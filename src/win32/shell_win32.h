#pragma once
// The shell's "open" action (ShellExecuteA), owned by one window.
#include <windows.h>

#include <string>

namespace tavrin::win32 {

class Win32Shell {
public:
  // *owner is read at each call: the window is made after the adapter.
  explicit Win32Shell(const HWND* owner) : owner_(owner) {}
  // Opens file with the given parameter string and working folder (empty: none), in
  // a normal window. Returns whether the shell opened it.
  bool open(const std::string& file, const std::string& parameters,
            const std::string& directory) const;

private:
  const HWND* owner_;
};

} // namespace tavrin::win32
