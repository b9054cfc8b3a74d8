#!/usr/bin/env bash
# A picture of the help file in Wine's help viewer (winhlp32), showing its contents
# topic: build/screenshots/help.png.
#   tools/help-screenshot.sh [file.hlp]
# Without an argument, makes the help file of the build that runs under Wine (see
# tools/wine-env.sh), or takes the one in $TAVRIN_SCREENSHOT_BUILD/help when that names a
# build folder. Runs on a virtual display of its own (xvfb-run), in the project's Wine
# prefix. With WINEDEBUG=+winhelp the viewer's complaints about the file go to
# build/screenshots/help-winhelp.log.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="$root/build/screenshots"

if [ "${1:-}" != "--inner" ]; then
  mkdir -p build "$out"
  if [ -n "${1:-}" ]; then
    help_file=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  else
    if [ -z "${TAVRIN_SCREENSHOT_BUILD:-}" ]; then
      cmake --preset mingw64 >build/mingw64-configure.log 2>&1 ||
        { tail -40 build/mingw64-configure.log; exit 1; }
      cmake --build --preset mingw64 -j"$(nproc)" --target tavrin_help >build/mingw64-build.log 2>&1 ||
        { tail -40 build/mingw64-build.log; exit 1; }
      TAVRIN_SCREENSHOT_BUILD="$root/build/mingw64"
    fi
    help_file="$TAVRIN_SCREENSHOT_BUILD/help/helpfile.hlp"
  fi
  [ -f "$help_file" ] || { echo "no help file at $help_file"; exit 1; }
  export TAVRIN_HELP_FILE="$help_file"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner
fi

# --- on the virtual display -----------------------------------------------------------
source tools/wine-env.sh
tavrin_wine_prefix

# The X window id of the first top-level window whose title holds $1, waited for up
# to 15 s.
window_id() {
  local part=$1 id=""
  for _ in $(seq 150); do
    id=$(xwininfo -root -tree 2>/dev/null |
      awk -v p="$part" 'index($0, p) && $2 ~ /^"/ { print $1; exit }')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

viewer_pid=""
trap '[ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT

help_win=$("$TAVRIN_WINE" winepath -w "$TAVRIN_HELP_FILE" 2>/dev/null)
"$TAVRIN_WINE" winhlp32.exe "$help_win" >/dev/null 2>"$out/help-winhelp.log" &
viewer_pid=$!

# The viewer's caption is "<title> Wine Help - <path>"; an error box would be "WineHelp Error".
if ! id=$(window_id "Wine Help"); then
  echo "the help viewer did not come up; windows on the display:"
  xwininfo -root -tree | grep '"' | head -20
  import -window root "$out/help.png"
  echo "wrote $out/help.png"
  exit 1
fi
sleep 2 # let the text paint
read -r x y w h < <(xwininfo -id "$id" | awk '
  /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/help.png"
echo "wrote $out/help.png"
