#include "win32/system_error.h"

namespace tavrin::win32 {

std::string describeError(DWORD code) {
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n && buffer ? std::string(buffer, n) : "System error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  return text;
}

} // namespace tavrin::win32
