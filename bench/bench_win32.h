#pragma once
// What the Win32 benchmarks share: their files in the temp folder, and the programs
// they start and look at from outside.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace tavrin::bench {

// A path in the temp folder.
inline std::string tempFile(const std::string& name) {
  std::string folder(GetTempPathA(0, nullptr), '\0');
  folder.resize(GetTempPathA(static_cast<DWORD>(folder.size()), folder.data()));
  return folder + name;
}

inline void writeBenchFile(const std::string& path, const std::string& data) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD wrote = 0;
  const bool ok = f != INVALID_HANDLE_VALUE &&
                  WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &wrote, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

// Starts `exe`, with `file` as its one argument when it is given.
inline PROCESS_INFORMATION startProgram(const std::string& exe, const std::string& file) {
  std::string commandLine = "\"" + exe + "\"" + (file.empty() ? "" : " \"" + file + "\"");
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    throw std::runtime_error("cannot start " + exe);
  return pi;
}

inline void endProgram(PROCESS_INFORMATION& pi) {
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

// A visible top-level window of process `pid`, of class `cls` (of any class when it is
// null); null when there is none.
inline HWND visibleWindowOf(DWORD pid, const char* cls) {
  struct Search {
    DWORD pid;
    const char* cls;
    HWND found;
  } s{pid, cls, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->pid || !IsWindowVisible(hwnd)) return TRUE;
        std::string name(256, '\0');
        name.resize(static_cast<std::size_t>(
            GetClassNameA(hwnd, name.data(), static_cast<int>(name.size()))));
        if (s->cls && name != s->cls) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

} // namespace tavrin::bench
