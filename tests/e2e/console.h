// The console window of another process (the build script's cmd.exe): read what its
// window shows, press a key in it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// This process attached to another process's console for as long as it lives. A process
// has at most one console, so its own is given up for good: the tests write their
// output to pipes and files, which do not depend on it.
class AttachedConsole {
public:
  // Waits for the process's console; throws std::runtime_error when it gets none.
  explicit AttachedConsole(DWORD pid);
  ~AttachedConsole();
  AttachedConsole(const AttachedConsole&) = delete;
  AttachedConsole& operator=(const AttachedConsole&) = delete;

  // The lines the screen buffer shows, each without its trailing blanks, joined with
  // "\n", up to the last that is not blank. A line the console wrapped comes back whole.
  std::string text() const;
  // A character key pressed and released, as the keyboard puts it in the input.
  void pressKey(char c) const;

private:
  void release();
  HANDLE output_ = INVALID_HANDLE_VALUE;
  HANDLE input_ = INVALID_HANDLE_VALUE;
};

} // namespace e2e
