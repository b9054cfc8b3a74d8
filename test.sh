#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test tier:
# native unit tests, Win32 tests under Wine, end-to-end tests under Wine and Xvfb.
# Ends with one line: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)
# Builds and the native tests use every core of the machine.
jobs=$(nproc 2>/dev/null || echo 2)

tools/setup.sh || { echo "0 passed, 1 failed"; exit 1; }

build() {
  cmake --preset "$1" >"build/$1-configure.log" 2>&1 &&
    cmake --build --preset "$1" -j"$jobs" ${2:+--target "$2"} >"build/$1-build.log" 2>&1 ||
    { echo "Build $1 failed:"; tail -n 40 "build/$1-configure.log" "build/$1-build.log"; return 1; }
}
mkdir -p build
build native || { echo "0 passed, 1 failed"; exit 1; }
# The 32-bit program that ships, and the 64-bit build of it that runs the Wine tests.
build mingw tavrin || { echo "0 passed, 1 failed"; exit 1; }
build mingw64 || { echo "0 passed, 1 failed"; exit 1; }

rm -rf build/native/results build/mingw64/results
mkdir -p build/native/results build/mingw64/results

echo "== native unit tests"
(cd build/native && ctest --output-on-failure -j"$jobs") || true
# Each fuzzer that fails leaves a .failed file in the results, counted below.
fuzz_missing=0
if [ -x build/native/tests/fuzz/run-short.sh ]; then
  build/native/tests/fuzz/run-short.sh || true
else
  echo "the fuzzers were not built: no build/native/tests/fuzz/run-short.sh"; fuzz_missing=1
fi

echo "== tests under Wine"
source tools/wine-env.sh
# A small disk of its own for the full-disk test, where the machine lets us mount one.
tests/e2e/faults-setup.sh mount build/mingw64/full-disk
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source tools/wine-env.sh; tavrin_wine_prefix
  cd build/mingw64 && ctest --output-on-failure --timeout 900
  wineserver -k; wineserver -w' || true
tests/e2e/faults-setup.sh unmount build/mingw64/full-disk

echo "== release ZIP, unpacked and started"
tools/check-release.sh build/mingw64 || true
# The ZIP that ships holds the 32-bit program; Wine here runs only the 64-bit one, so
# only its contents are checked. This is a packaging step, not a test: it adds nothing to
# the counts, and a failure counts as one failure, as a failed build does.
echo "== release ZIP that ships"
ship_failed=0
# The package name carries the version from project() in CMakeLists.txt.
ship=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' build/mingw/CPackConfig.cmake)
rm -rf build/release/_CPack_Packages
if [ -z "$ship" ]; then
  echo "no package name in build/mingw/CPackConfig.cmake"; ship_failed=1
elif rm -f "build/release/$ship.zip" &&
  cpack --config build/mingw/CPackConfig.cmake -B build/release >build/release-win32.log 2>&1; then
  listing=$(cmake -E tar tf "build/release/$ship.zip" 2>/dev/null)
  for entry in tavrin.exe README.md help/helpfile.hlp compile/README.txt compile/go.bat \
    compile/tavasm.exe compile/include/ti83asm.inc compile/include/tokens.inc; do
    grep -qx "$ship/$entry" <<<"$listing" || { echo "$ship.zip lacks $entry"; ship_failed=1; }
  done
  # Both programs in the ZIP are 32-bit, for every Windows.
  rm -rf build/release/unpacked && mkdir -p build/release/unpacked
  (cd build/release/unpacked && cmake -E tar xf "../$ship.zip")
  for exe in tavrin.exe compile/tavasm.exe; do
    i686-w64-mingw32-objdump -f "build/release/unpacked/$ship/$exe" 2>/dev/null |
      grep -q 'file format pei-i386' || { echo "$exe in the ZIP is not 32-bit"; ship_failed=1; }
  done
  rm -rf build/release/unpacked
else
  echo "packing $ship.zip failed, see build/release-win32.log"; ship_failed=1
fi
rm -rf build/release/_CPack_Packages

# Sum the gtest reports; a test program that died before writing its report counts
# as one failure.
passed=0; failed=0
for pair in native:unit mingw64:win32 mingw64:e2e mingw64:release; do
  dir=${pair%%:*}; name=${pair##*:}
  xml="build/$dir/results/$name.xml"
  if [ ! -f "$xml" ]; then
    echo "missing report: $name (the test program crashed or did not run)"
    failed=$((failed + 1)); continue
  fi
  t=$(grep -m1 -o 'tests="[0-9]*"' "$xml" | grep -o '[0-9]*')
  f=$(grep -m1 -o 'failures="[0-9]*"' "$xml" | grep -o '[0-9]*')
  e=$(grep -m1 -o 'errors="[0-9]*"' "$xml" | grep -o '[0-9]*')
  d=$(grep -m1 -o 'disabled="[0-9]*"' "$xml" | grep -o '[0-9]*')
  s=$(grep -c '<skipped' "$xml")
  passed=$((passed + t - f - e - ${d:-0} - s)); failed=$((failed + f + e))
done
for f in build/native/results/fuzz-*.failed; do
  [ -e "$f" ] && { echo "fuzzer failed: $f"; failed=$((failed + 1)); }
done
[ "$fuzz_missing" -eq 0 ] || failed=$((failed + 1))
[ "$ship_failed" -eq 0 ] || { echo "packaging the release ZIP failed"; failed=$((failed + 1)); }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
