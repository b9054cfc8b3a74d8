#include "e2e/window_text.h"

#include "e2e/waiting.h"

#include <cstddef>

namespace e2e {

std::string windowText(HWND hwnd) {
  // One WM_GETTEXT into a buffer larger than the text: asking for the length first
  // would race with the app.
  std::size_t size = 4096;
  for (;;) {
    std::string out(size, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(out.data()),
                             SMTO_ABORTIFHUNG, kWaitMs, &got)) {
      // A box that closes while the windows are walked has no text any more.
      if (!IsWindow(hwnd)) return "";
      throw Timeout("no answer to WM_GETTEXT");
    }
    if (got + 1 < size) {
      out.resize(got);
      return out;
    }
    size *= 4;
  }
}

std::string className(HWND hwnd) {
  std::string out(256, '\0');
  int n = GetClassNameA(hwnd, out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

} // namespace e2e
