#!/usr/bin/env bash
# Builds the 32-bit program (preset mingw) and packs it: build/release/tavrin-0.1-win32.zip
# with tavrin.exe, the help folder, the compile folder with its note on go.bat, and the
# README, all in one folder tavrin-0.1-win32.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw
cmake --build --preset mingw
mkdir -p build/release
cpack --config build/mingw/CPackConfig.cmake -B build/release
rm -rf build/release/_CPack_Packages
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' build/mingw/CPackConfig.cmake)
echo "Written: build/release/$name.zip"
