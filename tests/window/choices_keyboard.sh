#!/usr/bin/env bash
# A returning user opens the choices with Ctrl+L, moves down with the keyboard
# and picks with Return; the pick is stored and shown, the settings survive.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=false\n' >"$settings"

start_app 0.6
plain="$(shot touch)"
[[ "$(pixel "$plain" 5 5)" == "255,255,255" ]] || fail "a returning user saw the choices"

xdotool key --window "$window_id" ctrl+l
sleep 0.6
open="$(shot choices)"
[[ "$(pixel "$open" 5 5)" != "255,255,255" ]] || fail "Ctrl+L did not open the choices"

# The focus starts on Touch; without a motion sensor the Gravity row is hidden
# and skipped, so two steps down reach Connect (Swipe with a sensor).
xdotool key --window "$window_id" Down Down Return
sleep 0.6
picked="$(shot picked)"
[[ "$(pixel "$picked" 5 5)" == "255,255,255" ]] || fail "the choices did not close after Return"
expected=3
[[ -d /sys/bus/iio/devices ]] && ls /sys/bus/iio/devices/*/in_accel_x_raw >/dev/null 2>&1 && expected=2
[[ "$(setting CurrentAction)" == "$expected" ]] || fail "CurrentAction is $(setting CurrentAction), expected $expected"
stop_app
[[ "$(setting RandomColors)" == "false" ]] || fail "RandomColors was lost"
echo "PASS Ctrl+L, keyboard pick, persistence ($shots)"
