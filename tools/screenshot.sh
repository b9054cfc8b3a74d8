#!/usr/bin/env bash
# Pictures of Tavrin's windows, to look at their layout: build/screenshots/*.png.
#   main-empty.png  the main window at start, no file
#   main-file.png   the main window with examples/hello.z80 opened from the command line
#   about-dialog.png, configuration-dialog.png   the two dialogs over it
# Builds tavrin.exe first (the build that runs under Wine, see tools/wine-env.sh), or
# takes the one in $TAVRIN_SCREENSHOT_BUILD when that names a build folder.
# Runs on a virtual display of its own (xvfb-run), in the project's Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="$root/build/screenshots"

if [ "${1:-}" != "--inner" ]; then
  mkdir -p build "$out"
  if [ -z "${TAVRIN_SCREENSHOT_BUILD:-}" ]; then
    cmake --preset mingw64 >build/mingw64-configure.log 2>&1 ||
      { tail -40 build/mingw64-configure.log; exit 1; }
    cmake --build --preset mingw64 -j"$(nproc)" --target tavrin post_command >build/mingw64-build.log 2>&1 ||
      { tail -40 build/mingw64-build.log; exit 1; }
    export TAVRIN_SCREENSHOT_BUILD="$root/build/mingw64"
  fi
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner
fi

# --- on the virtual display -----------------------------------------------------------
source tools/wine-env.sh
tavrin_wine_prefix
exe_dir=$(cd "$TAVRIN_SCREENSHOT_BUILD" && pwd)
mkdir -p "$exe_dir/compile" "$exe_dir/help"

# The X window id of a top-level window with this exact title, waited for up to 15 s.
window_id() {
  local title=$1 id=""
  for _ in $(seq 150); do
    id=$(xwininfo -root -tree 2>/dev/null |
      awk -v t="\"$title\":" '$2 == t || index($0, " " t " ") { print $1; exit }')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Writes the part of the screen under window $1 to file $2 (the whole screen if the
# window can't be measured).
shoot_window() {
  local id=$1 file=$2 x y w h
  read -r x y w h < <(xwininfo -id "$id" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
  if [ -n "$w" ] && [ "$w" -gt 1 ]; then
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
  else
    import -window root "$file"
  fi
  echo "wrote $file"
}

app_pid=""
start_app() {
  (cd "$exe_dir" && exec "$TAVRIN_WINE" tavrin.exe "$@" >/dev/null 2>&1) &
  app_pid=$!
}
stop_app() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null || true
  app_pid=""
  sleep 0.5
}
trap 'stop_app; wineserver -k 2>/dev/null || true' EXIT

# The main window, empty.
start_app
id=$(window_id "Tavrin") || { echo "the main window did not come up"; exit 1; }
sleep 1.5 # let every control paint
shoot_window "$id" "$out/main-empty.png"
stop_app

# The main window with a source file.
example=$("$TAVRIN_WINE" winepath -w "$root/examples/hello.z80" 2>/dev/null)
start_app "$example"
id=$(window_id "Tavrin") || { echo "the main window did not come up"; exit 1; }
sleep 1.5
shoot_window "$id" "$out/main-file.png"

# The About and Configuration dialogs, opened by their menu commands over the main
# window and closed by their Close buttons.
command_id() { awk -v n="$1" '$1 == "#define" && $2 == n { print $3 }' resources/resource.h; }
post() { "$TAVRIN_WINE" "$exe_dir/post_command.exe" "$1" "$(command_id "$2")"; }
post TForm1 IDM_MAIN_ABOUT1
id=$(window_id "About") || { echo "the About dialog did not come up"; exit 1; }
sleep 1
shoot_window "$id" "$out/about-dialog.png"
post TForm2 IDC_ABOUT_SPEEDBUTTON1
sleep 0.5
post TForm1 IDM_MAIN_CONFIGURATION1
id=$(window_id "Configuration") || { echo "the Configuration dialog did not come up"; exit 1; }
sleep 1
shoot_window "$id" "$out/configuration-dialog.png"
post TForm3 IDC_CONFIG_SPEEDBUTTON3
sleep 0.5
stop_app
