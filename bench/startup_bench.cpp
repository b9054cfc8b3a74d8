// Start-up figures, each program started afresh in every round, in turn, so that all
// see the same machine load:
//   startup     tavrin.exe to its first painted, idle window | a bare Win32 window
//   open_64kb   tavrin.exe opening a 64 KB source given on its command line
//                                                          | notepad.exe opening the same file
// A start ends when the program's window is visible and its message loop waits for input
// (WaitForInputIdle): both programs open a file named on their command line before that.
// Usage: bench_startup.exe tavrin.exe bare_window.exe notepad.exe [rounds]
#include "bench_common.h"
#include "bench_win32.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>

using namespace tavrin::bench;

namespace {

// Milliseconds from the start of `exe` to its first visible, idle window.
double timeStart(const std::string& exe, const std::string& file) {
  const auto start = Clock::now();
  PROCESS_INFORMATION pi = startProgram(exe, file);
  HWND found = nullptr;
  for (int i = 0; i < 20000 && !found; ++i) {
    WaitForInputIdle(pi.hProcess, 20000);
    found = visibleWindowOf(pi.dwProcessId, nullptr);
    if (!found) Sleep(1);
  }
  const double ms = millisecondsSince(start);
  endProgram(pi);
  if (!found) throw std::runtime_error(exe + " showed no window");
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
    const std::string file = tempFile("tavrin-bench-64k.z80");
    const std::string text = sourceText("\r\n", 65536 / 40);
    writeBenchFile(file, text);
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
