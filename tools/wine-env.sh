# Sourced by the scripts: Wine in a private prefix under the build folder, set up once,
# never the user's own.
#
# Debian's Wine 8 runs a 32-bit Windows program only inside a 32-bit Linux process,
# and kernels built without 32-bit support (many VMs and CI machines) can't start one.
# So the scripts run the 64-bit build of the same program (preset mingw64) in a 64-bit
# prefix; the 32-bit tavrin.exe (preset mingw) is the one that ships.
TAVRIN_ROOT="${TAVRIN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$TAVRIN_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -x /usr/lib/wine/wine64 ]; then
  # Debian's "wine" wrapper prefers the 32-bit loader whenever it is installed.
  export WINELOADER=/usr/lib/wine/wine64
  TAVRIN_WINE=/usr/lib/wine/wine64
else
  TAVRIN_WINE=wine
fi
export TAVRIN_WINE
TAVRIN_WINE_BUILD="$TAVRIN_ROOT/build/mingw64"

# "wine" in the scripts means this loader.
wine() { "$TAVRIN_WINE" "$@"; }

tavrin_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.tavrin-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$TAVRIN_WINE" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager every hidden window would stall the program 2 s.
    "$TAVRIN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # The editor's font: Liberation Mono has Courier New's metrics.
    "$TAVRIN_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' \
      /d 'Liberation Mono' /f >/dev/null 2>&1
    wineserver -w
    [ -d "$WINEPREFIX/drive_c" ] && touch "$WINEPREFIX/.tavrin-ready"
  fi
}
