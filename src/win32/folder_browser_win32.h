#pragma once
// The FolderBrowser port on the shell's folder browser.
#include "ports/folder_browser.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32FolderBrowser : public FolderBrowser {
public:
  // owner is asked each time: the application window may be made after the adapter.
  explicit Win32FolderBrowser(HWND (*owner)()) : owner_(owner) {}
  std::string selectFolder() override;

private:
  HWND (*owner_)();
};

// The application window, the folder browser's usual owner.
HWND applicationWindow();

} // namespace tavrin::win32
