#include "e2e/console.h"

#include "e2e/driver.h"

#include <stdexcept>

namespace e2e {

namespace {
HANDLE openConsole(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}
} // namespace

AttachedConsole::AttachedConsole(DWORD pid) {
  FreeConsole();
  // A process started a moment ago may not have its console yet.
  if (!eventually([&] { return AttachConsole(pid) != FALSE; }))
    throw std::runtime_error("cannot attach to the console of process " + std::to_string(pid) +
                             ", error " + std::to_string(GetLastError()));
  output_ = openConsole("CONOUT$");
  input_ = openConsole("CONIN$");
  if (output_ == INVALID_HANDLE_VALUE || input_ == INVALID_HANDLE_VALUE) {
    release();
    throw std::runtime_error("cannot open the console of process " + std::to_string(pid));
  }
}

AttachedConsole::~AttachedConsole() {
  release();
}

void AttachedConsole::release() {
  if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
  if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
  output_ = input_ = INVALID_HANDLE_VALUE;
  FreeConsole();
}

std::string AttachedConsole::text() const {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(output_, &info)) return "";
  std::string all, row(static_cast<size_t>(info.dwSize.X), ' ');
  for (SHORT y = 0; y < info.dwSize.Y; ++y) {
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterA(output_, row.data(), static_cast<DWORD>(row.size()),
                                     COORD{0, y}, &read))
      break;
    const std::string shown = row.substr(0, read);
    // A row filled to its last cell goes on in the next one: the console wrapped it.
    if (!shown.empty() && shown.back() != ' ') {
      all += shown;
      continue;
    }
    all += shown.substr(0, shown.find_last_not_of(' ') + 1) + '\n';
  }
  all.erase(all.find_last_not_of('\n') + 1);
  return all;
}

void AttachedConsole::pressKey(char c) const {
  INPUT_RECORD keys[2]{};
  for (int i = 0; i < 2; ++i) {
    KEY_EVENT_RECORD& key = keys[i].Event.KeyEvent;
    keys[i].EventType = KEY_EVENT;
    key.bKeyDown = i == 0;
    key.wRepeatCount = 1;
    key.wVirtualKeyCode = LOBYTE(VkKeyScanA(c));
    key.uChar.AsciiChar = c;
  }
  DWORD written = 0;
  if (!WriteConsoleInputA(input_, keys, 2, &written) || written != 2)
    throw std::runtime_error("cannot press a key in the console");
}

} // namespace e2e
