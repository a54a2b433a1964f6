#!/usr/bin/env bash
# A drag in Paint leaves grey paint inside the outline and none outside it, and
# the paint is wiped once the pointer has rested for a few seconds.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=5\nRandomColors=false\n' >"$settings"
grey="142,142,147"
white="255,255,255"

start_app 0.8
eval "$(xdotool getwindowgeometry --shell "$window_id")"
cx=$((WIDTH / 2))
cy=$((HEIGHT / 2))
before="$(shot paint-before)"
[[ "$(pixel "$before" "$cx" "$cy")" == "$white" ]] || fail "the shape is not empty at first"

# Across the middle of the shape and far out of it on the right.
xdotool mousemove --window "$window_id" $((cx - $(px 60))) "$cy" mousedown 1
for dx in $(seq "$(px -60)" "$(px 8)" "$(px 300)"); do
  xdotool mousemove --window "$window_id" $((cx + dx)) "$cy"
  sleep 0.02
done
xdotool mouseup 1
rest_pointer
sleep 0.3
painted="$(shot paint-after-drag)"
[[ "$(pixel "$painted" "$cx" "$cy")" == "$grey" ]] || fail "no paint under the drag"
[[ "$(pixel "$painted" $((cx - $(px 30))) $((cy + $(px 20))))" == "$grey" ]] || fail "the blob is not round"
[[ "$(pixel "$painted" $((cx + $(px 240))) "$cy")" == "$white" ]] || fail "paint outside the shape"
[[ "$(pixel "$painted" $((cx + $(px 200))) $((cy + $(px 20))))" == "$white" ]] || fail "paint outside the shape"

sleep 3.5
wiped="$(shot paint-wiped)"
[[ "$(pixel "$wiped" "$cx" "$cy")" == "$white" ]] || fail "the paint was not wiped after idling"
stop_app
echo "PASS Paint drag paints inside and is wiped ($shots)"
