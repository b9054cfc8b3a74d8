// Start-up figures, each program started afresh in every round, in turn, so that all
// see the same machine load:
//   startup     tavrin.exe to its first painted, idle window | a bare Win32 window
//   open_64kb   tavrin.exe opening a 64 KB source given on its command line
//                                                          | notepad.exe opening the same file
// A start ends when the program's window is visible and its message loop waits for input
// (WaitForInputIdle): both programs open a file named on their command line before that.
// Usage: bench_startup.exe tavrin.exe bare_window.exe notepad.exe [rounds]
#include "bench_common.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

using namespace tavrin::bench;

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// Milliseconds from the start of `exe` to its first visible, idle window.
double timeStart(const std::string& exe, const std::string& file) {
  std::string commandLine = "\"" + exe + "\"" + (file.empty() ? "" : " \"" + file + "\"");
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto start = Clock::now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    throw std::runtime_error("cannot start " + exe);
  Search s{pi.dwProcessId, nullptr};
  for (int i = 0; i < 20000 && !s.found; ++i) {
    WaitForInputIdle(pi.hProcess, 20000);
    EnumWindows(findVisible, reinterpret_cast<LPARAM>(&s));
    if (!s.found) Sleep(1);
  }
  const double ms = millisecondsSince(start);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (!s.found) throw std::runtime_error(exe + " showed no window");
  return ms;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_startup tavrin.exe bare_window.exe notepad.exe [rounds]\n");
    return 2;
  }
  const std::string tavrin = argv[1], bare = argv[2], notepad = argv[3];
  const int rounds = argc > 4 ? std::atoi(argv[4]) : 9;
  try {
    char tempDir[MAX_PATH];
    GetTempPathA(MAX_PATH, tempDir);
    const std::string file = std::string(tempDir) + "tavrin-bench-64k.z80";
    const std::string text = sourceText("\r\n", 65536 / 40);
    HANDLE f = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    if (f == INVALID_HANDLE_VALUE ||
        !WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr))
      throw std::runtime_error("cannot write " + file);
    CloseHandle(f);
    std::printf("# %d rounds; the source is %zu bytes\n", rounds, text.size());

    // One start of each first: the programs' files are then in the cache for every round.
    timeStart(tavrin, "");
    timeStart(bare, "");
    timeStart(notepad, file);
    Pair startup, open;
    for (int r = 0; r < rounds; ++r) {
      startup.measured.push_back(timeStart(tavrin, ""));
      startup.baseline.push_back(timeStart(bare, ""));
      open.measured.push_back(timeStart(tavrin, file));
      open.baseline.push_back(timeStart(notepad, file));
    }
    DeleteFileA(file.c_str());
    startup.report("startup");
    open.report("open_64kb");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_startup: %s\n", e.what());
    return 1;
  }
  return 0;
}
