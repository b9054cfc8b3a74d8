#!/usr/bin/env bash
# Installs what building and testing Tavrin needs on a Debian or Ubuntu machine,
# only when something is missing.
set -euo pipefail

# The fuzzers need a clang and a libFuzzer runtime of one version: clang-14 and
# libclang-rt-14-dev, whatever the default clang is.
packages=(cmake ninja-build g++ libgtest-dev googletest
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 xvfb xauth x11-utils imagemagick fonts-dejavu-core fonts-wine fonts-liberation
          clang clang-14 libclang-rt-14-dev pasmo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
