#!/usr/bin/env bash
# Without a display the program says why on one line and exits with status 1.
set -uo pipefail
TAMAROCK="$1"
work="$(mktemp -d)"
XDG_CONFIG_HOME="$work" DISPLAY= WAYLAND_DISPLAY= SDL_VIDEODRIVER= "$TAMAROCK" 2>"$work/err" >/dev/null
status=$?
[[ $status -eq 1 ]] || { echo "FAIL: exit status $status, expected 1"; exit 1; }
lines=$(wc -l <"$work/err")
[[ $lines -eq 1 ]] || { echo "FAIL: $lines lines on stderr:"; cat "$work/err"; exit 1; }
grep -qi "display" "$work/err" || { echo "FAIL: the line does not name the display:"; cat "$work/err"; exit 1; }
echo "PASS: $(cat "$work/err")"
