#!/usr/bin/env bash
# Runs every benchmark and prints one table of ratios, each measured within one run:
#   bench/run.sh [rounds]
# Native figures come from a Release build without sanitizers (build/bench-native); the
# Win32 figures from the build that runs under Wine (build/mingw64), on a virtual display.
# The raw lines go to build/bench/results.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
rounds=${1:-}
out=build/bench
mkdir -p "$out"

tools/setup.sh
cmake -S . -B build/bench-native -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIN_SANITIZE=OFF \
  >"$out/native-configure.log" 2>&1 || { tail -n 40 "$out/native-configure.log"; exit 1; }
cmake --build build/bench-native -j"$(nproc)" --target bench_load_conversion bench_asm tavasm \
  >"$out/native-build.log" 2>&1 ||
  { tail -n 40 "$out/native-build.log"; exit 1; }
cmake --preset mingw64 >"$out/mingw64-configure.log" 2>&1 ||
  { tail -n 40 "$out/mingw64-configure.log"; exit 1; }
cmake --build --preset mingw64 -j"$(nproc)" --target tavrin bench_win32 bench_memory bench_startup \
  bench_bare_window >"$out/mingw64-build.log" 2>&1 || { tail -n 40 "$out/mingw64-build.log"; exit 1; }

results="$out/results.txt"
build/bench-native/bench/bench_load_conversion ${rounds:+"$rounds"} | tee "$results"
build/bench-native/bench/bench_asm ${rounds:+"$rounds"} | tee -a "$results"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source tools/wine-env.sh; tavrin_wine_prefix
  cd build/mingw64
  app="$(wine winepath -w "$PWD/tavrin.exe" 2>/dev/null)"
  bare="$(wine winepath -w "$PWD/bench_bare_window.exe" 2>/dev/null)"
  wine bench_startup.exe "$app" "$bare" "C:\\windows\\notepad.exe" $0
  wine bench_win32.exe $0
  wine bench_memory.exe "$app"
  wineserver -k; wineserver -w' "${rounds}" 2>/dev/null | tr -d '\r' | tee -a "$results"

# RESULT <key> <measured> <baseline> <ratio>, against the target for that key.
awk '
  BEGIN {
    what["conversion_lf"] = "Load conversion, 4 MB with LF breaks against memcpy (ms)"
    what["conversion_crlf"] = "Load conversion, 4 MB with CR LF breaks against memcpy (ms)"
    what["startup"] = "Start-up to the first idle window against a bare Win32 window (ms)"
    what["open_64kb"] = "Start with a 64 KB source against Wine notepad with it (ms)"
    what["open_4mb"] = "Open 4 MB / 100,000 lines against ReadFile + WM_SETTEXT (ms)"
    what["find_100k_lines"] = "Find on the last of 100,000 lines against WM_GETTEXT (UTF-16) + find (ms)"
    what["start_4mb"] = "\"Start\" on 4 MB against \"Start\" on empty (ms)"
    what["start_4mb_painted"] = "\"Start\" on 4 MB, repaint included, against empty (ms)"
    what["save_4mb"] = "Save 4 MB against WriteFile + ReplaceFile (ms)"
    what["save_4mb_vs_flushed"] = "Save 4 MB against WriteFile + flush + ReplaceFile (ms)"
    what["memory_working_set"] = "Peak working set over the empty editor against the file size (MB)"
    what["memory_committed"] = "Peak committed memory over the empty editor against the file size (MB)"
    what["asm_time"] = "tavasm on a 22,000-line program against pasmo, start to exit (ms)"
    what["asm_memory"] = "tavasm on the same program against pasmo, peak resident memory (KB)"
    what["asm_macro_time"] = "tavasm on 1.2 MB of macros and includes against the same bytes written out (ms)"
    what["asm_macro_memory"] = "tavasm on the same two, peak resident memory (KB)"
    # Conversion: at least 30% of memcpy speed, so at most 3.33 times its time.
    limit["conversion_lf"] = 3.33; limit["conversion_crlf"] = 3.33
    limit["startup"] = 1.5; limit["open_64kb"] = 1.0; limit["open_4mb"] = 1.2
    limit["find_100k_lines"] = 2; limit["start_4mb"] = 2; limit["start_4mb_painted"] = 2
    limit["save_4mb"] = 1.5; limit["save_4mb_vs_flushed"] = 1.5
    limit["memory_working_set"] = 4; limit["memory_committed"] = 4
    # The assembler: at least 4 times as fast as pasmo, and in less memory.
    limit["asm_time"] = 0.25; limit["asm_memory"] = 1; below["asm_memory"] = 1
    # Macros and includes: for the same bytes, at most twice the time and memory of the
    # program written out, though it is four times the text (bench/README.md says why).
    limit["asm_macro_time"] = 2; limit["asm_macro_memory"] = 2
    print "| figure | measured | baseline | ratio | target | met |"
    print "|---|---|---|---|---|---|"
  }
  $1 == "RESULT" {
    strict = ($2 in below)
    met = (strict ? $5 < limit[$2] : $5 <= limit[$2]) ? "yes" : "NO"
    printf "| %s | %s | %s | %s | %s %s | %s |\n", what[$2], $3, $4, $5, strict ? "<" : "<=",
      limit[$2], met
  }' "$results"
