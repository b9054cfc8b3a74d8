// Peak memory of tavrin.exe with a 4 MB / 100,000-line file open, against the editor
// started empty, measured on the running program in the same run.
// Usage: bench_memory.exe path\to\tavrin.exe [rounds]
#include "bench_common.h"
#include "bench_win32.h"

#include <windows.h>

#include <psapi.h>

#include <cstdlib>
#include <stdexcept>

using namespace tavrin::bench;

namespace {

// Starts the program, waits until its editor holds `expected` characters and the
// window has settled, and returns its peak working set and peak committed bytes.
PROCESS_MEMORY_COUNTERS peakOf(const std::string& exe, const std::string& file,
                               std::size_t expected) {
  PROCESS_INFORMATION pi = startProgram(exe, file);
  WaitForInputIdle(pi.hProcess, 20000);
  HWND edit = nullptr;
  for (int i = 0; i < 600 && !edit; ++i) {
    if (HWND main = visibleWindowOf(pi.dwProcessId, "TForm1")) {
      HWND memo = FindWindowExA(main, nullptr, "EDIT", nullptr);
      // Asked in UTF-16, as the control keeps it: an ANSI length would make the
      // program convert its whole text to answer, and add that to its peak memory.
      if (memo && static_cast<std::size_t>(SendMessageW(memo, WM_GETTEXTLENGTH, 0, 0)) == expected)
        edit = memo;
    }
    if (!edit) Sleep(50);
  }
  if (!edit) {
    endProgram(pi);
    throw std::runtime_error("the editor never showed the text");
  }
  Sleep(300);
  WaitForInputIdle(pi.hProcess, 5000);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters);
  endProgram(pi);
  return counters;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_memory tavrin.exe [rounds]\n");
    return 2;
  }
  const std::string exe = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  try {
    const std::string file = tempFile("tavrin-bench-memory.z80");
    const std::string text = sourceText("\r\n");
    writeBenchFile(file, text);

    std::vector<double> emptyWs, emptyCommit, fullWs, fullCommit;
    for (int r = 0; r < rounds; ++r) {
      auto e = peakOf(exe, "", 0);
      auto l = peakOf(exe, file, text.size());
      emptyWs.push_back(e.PeakWorkingSetSize / 1048576.0);
      emptyCommit.push_back(e.PeakPagefileUsage / 1048576.0);
      fullWs.push_back(l.PeakWorkingSetSize / 1048576.0);
      fullCommit.push_back(l.PeakPagefileUsage / 1048576.0);
    }
    DeleteFileA(file.c_str());
    const double size = text.size() / 1048576.0;
    // Figures in MB; the ratio is the growth over the empty editor per byte of file.
    const double ws = median(fullWs) - median(emptyWs);
    const double commit = median(fullCommit) - median(emptyCommit);
    std::printf("# file %.2f MB; empty editor: working set %.1f MB, committed %.1f MB\n", size,
                median(emptyWs), median(emptyCommit));
    std::printf("RESULT memory_working_set %.1f %.2f %.2f\n", ws, size, ws / size);
    std::printf("RESULT memory_committed %.1f %.2f %.2f\n", commit, size, commit / size);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_memory: %s\n", e.what());
    return 1;
  }
  return 0;
}
