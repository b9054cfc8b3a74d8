#!/usr/bin/env bash
# Builds the 32-bit program (preset mingw) and packs it: build/release/tavrin-<version>-win32.zip
# with tavrin.exe, the help folder, the compile folder with its note on go.bat, and the
# README, all in one folder tavrin-<version>-win32. The version is the one in project() in
# CMakeLists.txt; the name is read back from the configured build's CPackConfig.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw
cmake --build --preset mingw
mkdir -p build/release
cpack --config build/mingw/CPackConfig.cmake -B build/release
rm -rf build/release/_CPack_Packages
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' build/mingw/CPackConfig.cmake)
[ -n "$name" ] || { echo "no package name in build/mingw/CPackConfig.cmake" >&2; exit 1; }
[ -f "build/release/$name.zip" ] || { echo "cpack wrote no build/release/$name.zip" >&2; exit 1; }
echo "Written: build/release/$name.zip"
