#pragma once
// The FolderBrowser port on the shell's folder browser.
#include "ports/folder_browser.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32FolderBrowser : public FolderBrowser {
public:
  // *owner is read at each call: the window may be made after the adapter.
  explicit Win32FolderBrowser(const HWND* owner) : owner_(owner) {}
  std::string selectFolder() override;

private:
  const HWND* owner_;
};

} // namespace tavrin::win32
