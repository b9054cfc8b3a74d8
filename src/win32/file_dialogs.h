#pragma once
// The Open and Save dialogs. Each is made once and opens with the full path last
// chosen in it. The program's current folder is kept across the dialog, so relative
// names (a file from the command line, "compile\", "help") keep their meaning.
#include "ports/file_dialog.h"

#include <windows.h>

namespace tavrin::win32 {

class Win32FileDialog : public FileDialog {
public:
  enum class Kind { Open, Save };
  Win32FileDialog(Kind kind, const HWND* owner) : kind_(kind), owner_(owner) {}
  std::optional<std::string> choose() override;

private:
  Kind kind_;
  const HWND* owner_;
  std::string last_;
};

} // namespace tavrin::win32
