#include "win32/file_dialogs.h"

#include "win32/modal_scope.h"
#include "win32/late_bound.h"

#include <commdlg.h>

#include <vector>

namespace tavrin::win32 {

namespace {
std::string currentFolder() {
  DWORD n = GetCurrentDirectoryA(0, nullptr);
  std::string out(n, '\0');
  DWORD got = GetCurrentDirectoryA(n, out.data());
  out.resize(got < n ? got : 0);
  return out;
}
} // namespace

std::optional<std::string> Win32FileDialog::choose() {
  // Large enough for any path the shell offers; the dialog reports a too-small
  // buffer instead of writing past it.
  std::vector<char> name(32768, '\0');
  last_.copy(name.data(), std::min(last_.size(), name.size() - 1));

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = *owner_;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = "z80";
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (kind_ == Kind::Open) {
    ofn.lpstrFilter = "Z80\0*.z80\0";
  } else {
    ofn.lpstrFilter = "Z80\0*.Z80\0";
    ofn.Flags |= OFN_OVERWRITEPROMPT;
  }

  const std::string folder = currentFolder();
  BOOL ok = FALSE;
  {
    ModalScope modal(*owner_);
    static const auto open =
        lateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    static const auto save =
        lateBound<decltype(GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    ok = kind_ == Kind::Open ? open(&ofn) : save(&ofn);
  }
  if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
  if (!ok) return std::nullopt;
  last_ = name.data();
  return last_;
}

} // namespace tavrin::win32
