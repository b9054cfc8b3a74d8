#include "app/startup.h"

#include <windows.h>

namespace tavrin {

std::string helpFileBesideProgram() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "help\\HelpFile.hlp";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2); // cut off: try again with more room
  }
  return path.substr(0, path.find_last_of('\\') + 1) + "help\\HelpFile.hlp";
}

} // namespace tavrin
