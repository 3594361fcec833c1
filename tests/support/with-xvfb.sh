#!/usr/bin/env bash
# Runs a command with DISPLAY pointing at an Xvfb of its own, which is
# stopped when the command ends. Usage: with-xvfb.sh [--xfree86] CMD [ARGS...]
# --xfree86 switches the server to the XFree86 keycode numbering.
set -euo pipefail
xfree86=0
if [ "${1:-}" = "--xfree86" ]; then xfree86=1; shift; fi

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r -t 30 display <"$fifo" || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
if [ "$xfree86" = 1 ]; then
  setxkbmap -keycodes xfree86
fi
"$@"
