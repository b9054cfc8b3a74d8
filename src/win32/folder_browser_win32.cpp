#include "win32/folder_browser_win32.h"

#include "win32/modal_scope.h"
#include "win32/late_bound.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace tavrin::win32 {

namespace {

// Item lists handed out by the shell are freed with the task allocator.
struct PidlDeleter {
  void operator()(ITEMIDLIST* list) const {
    static const auto free = lateBound<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    free(list);
  }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

// The browser needs COM on this thread; balance only what this call started.
class ComScope {
public:
  ComScope() {
    static const auto start = lateBound<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    started_ = SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED));
  }
  ~ComScope() {
    static const auto end = lateBound<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (started_) end();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

private:
  bool started_ = false;
};

} // namespace

std::string Win32FolderBrowser::selectFolder() {
  static const auto specialFolder =
      lateBound<decltype(SHGetSpecialFolderLocation)>("shell32.dll", "SHGetSpecialFolderLocation");
  static const auto browse =
      lateBound<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
  static const auto pathOf =
      lateBound<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  ComScope com;
  ITEMIDLIST* rootList = nullptr;
  Pidl root(SUCCEEDED(specialFolder(nullptr, CSIDL_DESKTOP, &rootList)) ? rootList : nullptr);
  // The browser writes the chosen folder's display name here; MAX_PATH is its size.
  std::string displayName(MAX_PATH, '\0');
  BROWSEINFOA info{};
  info.hwndOwner = owner_ ? *owner_ : nullptr;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName.data();
  info.lpszTitle = "Select folder";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  // The browser disables only its owner; the rest of the program waits as well.
  ModalScope modal(info.hwndOwner);
  Pidl chosen(browse(&info));
  if (!chosen) return {};
  // SHGetPathFromIDListA writes at most MAX_PATH characters, the API's own limit.
  std::string path(MAX_PATH, '\0');
  if (!pathOf(chosen.get(), path.data())) return {};
  path.resize(path.find('\0'));
  return path;
}

} // namespace tavrin::win32
