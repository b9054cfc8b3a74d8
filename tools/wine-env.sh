# Sourced by the scripts: a private 32-bit Wine prefix under the build folder, set up
# once, never the user's own.
TAVRIN_ROOT="${TAVRIN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$TAVRIN_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

tavrin_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.tavrin-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager every hidden window would stall the program 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tavrin-ready"
  fi
}
