#!/usr/bin/env bash
# Checks the release ZIP the way a user meets it: packed by the same rules as
# tools/release.sh, but from the 64-bit build (the one Wine runs here), unpacked into a
# clean folder, and tavrin.exe started from there under Wine with a file on its command
# line. The window must come up with that file open.
#   tools/check-release.sh [build folder]     # default build/mingw64, already built
# Writes <build folder>/results/release.xml, a GoogleTest report, and fails when the
# check fails.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/mingw64}
build=$(cd "$build" && pwd)
mkdir -p "$build/results"
report="$build/results/release.xml"
rm -f "$report"

# A report of one failed check, for the steps before the program runs.
fail() {
  local message=${1//&/&amp;}
  message=${message//</&lt;}
  message=${message//\"/&quot;}
  cat >"$report" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<testsuites tests="1" failures="1" disabled="0" errors="0" name="AllTests">
  <testsuite name="ReleaseZip" tests="1" failures="1" disabled="0" skipped="0" errors="0">
    <testcase name="PacksAndUnpacks" status="run" result="completed" classname="ReleaseZip">
      <failure message="$message" type=""></failure>
    </testcase>
  </testsuite>
</testsuites>
XML
  echo "release check: $1"
  exit 1
}

[ -f "$build/CPackConfig.cmake" ] || fail "no CPackConfig.cmake in $build"
[ -f "$build/e2e_tests.exe" ] || fail "no e2e_tests.exe in $build"
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$name" ] || fail "no package name in $build/CPackConfig.cmake"
rm -f "$build/release/$name.zip"
cpack --config "$build/CPackConfig.cmake" -B "$build/release" >"$build/release-cpack.log" 2>&1 ||
  fail "cpack failed, see $build/release-cpack.log"
rm -rf "$build/release/_CPack_Packages"
zip="$build/release/$name.zip"
[ -f "$zip" ] || fail "cpack wrote no $zip"

unpacked=$(mktemp -d /tmp/tavrin-release.XXXXXX)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
folder="$unpacked/$name"
[ -f "$folder/tavrin.exe" ] || fail "$zip does not unpack into a folder $name with tavrin.exe"

# Drive Z: is the Unix root under Wine.
windowsFolder="Z:${folder//\//\\}"
source tools/wine-env.sh
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source tools/wine-env.sh; tavrin_wine_prefix
  cd "$1" && TAVRIN_RELEASE_CHECK="$2" TAVRIN_EXE="$3" "$TAVRIN_WINE" e2e_tests.exe \
    --gtest_filter="ReleaseZip.*:ReleaseCompile.*" --gtest_output=xml:results/release.xml
  status=$?
  wineserver -k; wineserver -w
  exit $status' check "$build" "$windowsFolder" "$folder/tavrin.exe"
status=$?
[ -f "$report" ] || fail "the end-to-end check of the unpacked program wrote no report"
exit $status
