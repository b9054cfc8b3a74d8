#!/usr/bin/env bash
# Installs what building and testing Tavrin needs on a Debian or Ubuntu machine,
# only when something is missing.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev googletest
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine wine32:i386 xvfb xauth x11-utils imagemagick fonts-dejavu-core
          clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo dpkg --add-architecture i386
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
