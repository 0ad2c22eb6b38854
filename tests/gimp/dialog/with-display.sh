#!/usr/bin/env bash
# with-display.sh COMMAND [ARGS...]: runs COMMAND with an X display. When
# DISPLAY is unset (CI, a shell without X) a private Xvfb server is started
# for the run and stopped afterwards.
set -euo pipefail

xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "with-display: no DISPLAY and no Xvfb (scripts/install-deps.sh)" >&2; exit 1; }
  for number in $(seq 150 220); do
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
  [ -n "${DISPLAY:-}" ] || { echo "with-display: could not start Xvfb" >&2; exit 1; }
fi

"$@"
