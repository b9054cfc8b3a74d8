#include "win32/shell_win32.h"

#include "win32/late_bound.h"

#include <shellapi.h>

namespace tavrin::win32 {

bool Win32Shell::open(const std::string& file, const std::string& parameters,
                      const std::string& directory) const {
  static const auto shellExecute =
      lateBound<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
  HINSTANCE result = shellExecute(owner_ ? *owner_ : nullptr, "open", file.c_str(),
                                  parameters.empty() ? nullptr : parameters.c_str(),
                                  directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
  // The shell's codes of 32 and below are its failures.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace tavrin::win32
