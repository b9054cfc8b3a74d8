#!/usr/bin/env bash
# Installs what is missing, builds tavrin.exe and starts it under Wine in a private
# prefix: ./run.sh [file.z80]. Without a display it runs on a virtual one and writes
# a screenshot of the window.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

tools/setup.sh
mkdir -p build
# Under Wine the 64-bit build of the program runs (see tools/wine-env.sh).
cmake --preset mingw64 >build/mingw64-configure.log 2>&1 || { cat build/mingw64-configure.log; exit 1; }
cmake --build --preset mingw64 -j"$(nproc)" --target tavrin

source tools/wine-env.sh
tavrin_wine_prefix
args=()
if [ $# -gt 0 ]; then
  if [ -e "$1" ]; then args=("$("$TAVRIN_WINE" winepath -w "$(realpath "$1")" 2>/dev/null)"); else args=("$1"); fi
fi

# The program starts in its own folder, where the build put its "help" folder and the
# build kit in "compile" (go.bat, tavasm.exe, the include files): Compile works at once.
app=build/mingw64
[ -f "$app/compile/go.bat" ] && [ -f "$app/help/helpfile.hlp" ] ||
  { echo "The build left no compile\go.bat or help\helpfile.hlp in $app"; exit 1; }

if [ -n "${DISPLAY:-}" ]; then
  tavrin_wine_prefix
  cd "$app" && exec "$TAVRIN_WINE" tavrin.exe "${args[@]}"
fi

shot="$root/build/screenshots/run.png"
mkdir -p "$(dirname "$shot")"
echo "No display (DISPLAY is not set): starting Tavrin on a virtual display (Xvfb)."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  source tools/wine-env.sh; tavrin_wine_prefix
  cd "$0" && "$TAVRIN_WINE" tavrin.exe "${@:2}" &
  for i in $(seq 1 60); do
    sleep 0.5
    xwininfo -root -tree 2>/dev/null | grep -q "\"Tavrin\"" && break
  done
  sleep 1.5
  import -window root "$1"
  wineserver -k; wineserver -w' "$app" "$shot" "${args[@]}"
echo "Screenshot of the window: $shot"
