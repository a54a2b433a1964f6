#!/usr/bin/env bash
# At twice the pixels (GDK_SCALE=2) a 1280x800 screen is smaller than the
# window's minimum of 360x480 points: the screen wins, and the window, the
# whole of it on screen, shows its dot whole.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\n' >"$settings"
scale=2
read -r sw sh <<<"$(xdotool getdisplaygeometry)"

GDK_SCALE=2 start_app 0.8
eval "$(xdotool getwindowgeometry --shell "$window_id")"
((X >= 0 && Y >= 0 && X + WIDTH <= sw && Y + HEIGHT <= sh)) ||
  fail "the ${WIDTH}x${HEIGHT} window at $X,$Y does not fit the ${sw}x${sh} screen"
dot="$(box_of_colour "$(shot touch)" "142,142,147")"
is_dot "$dot" || fail "expected one whole dot of 64 points at scale 2, found '$dot'"
stop_app
echo "PASS a ${WIDTH}x${HEIGHT} window at $X,$Y on a ${sw}x${sh} screen ($shots)"
