#!/usr/bin/env bash
# wine-run.sh COMMAND [ARGS...]
# Runs COMMAND (typically ctest over the Windows build, whose tests start
# through Wine) with a Wine prefix of our own under .cache/ and a display:
# when DISPLAY is unset, a private Xvfb server is started for the run and
# stopped afterwards. The prefix is made on first use (about 25 s).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

wine=""
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
[ -n "$wine" ] || { echo "wine-run: Wine is not installed (scripts/install-windows-deps.sh)" >&2; exit 1; }
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)

# For scripts run under this one that start Windows programs themselves.
export DAPPLE_WINE=$wine
export WINEPREFIX=${WINEPREFIX:-$root/.cache/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and asking for them stalls.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64

xvfb_pid=""
cleanup() {
  if [ -n "$wineserver" ]; then "$wineserver" -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "wine-run: no DISPLAY and no Xvfb (scripts/install-windows-deps.sh)" >&2; exit 1; }
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$number" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$number" ]; then export DISPLAY=":$number"; break; fi
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  [ -n "${DISPLAY:-}" ] || { echo "wine-run: could not start Xvfb" >&2; exit 1; }
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run: making the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
  [ -n "$wineserver" ] && "$wineserver" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-run: the Wine prefix could not be made" >&2; exit 1; }
fi

# Wine draws the buttons of window captions in Marlett, from its own fonts
# (fonts-wine); this Wine does not look for them in its data folder, so the
# prefix gets the font in its fonts folder.
marlett=/usr/share/wine/fonts/marlett.ttf
fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ -d "$fonts_dir" ] && [ ! -f "$fonts_dir/marlett.ttf" ]; then
  cp "$marlett" "$fonts_dir/"
fi

# Our own Xvfb has no window manager: Wine then manages the windows itself
# (and draws their captions), instead of waiting for a manager that never
# answers each time a window is shown or hidden. On the user's display the
# user's window manager does it.
x11_key='HKCU\Software\Wine\X11 Driver'
if [ -n "$xvfb_pid" ]; then
  "$wine" reg add "$x11_key" /v Managed /d N /f >/dev/null 2>&1 || true
else
  "$wine" reg delete "$x11_key" /v Managed /f >/dev/null 2>&1 || true
fi

"$@"
