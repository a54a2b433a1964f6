#!/usr/bin/env bash
# Magnet: the dot swings on its spring, is let go after a second, and rests
# on the marker at the window's centre, whole and alone in its grey.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
grey="142,142,147"
light="174,174,178"
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=4\nRandomColors=false\n' >"$settings"

start_app 0.2
shot swinging >/dev/null
sleep 2
rest="$(shot at-rest)"
dot="$(box_of_colour "$rest" "$grey")"
is_dot "$dot" || fail "expected one 64x64 grey dot over the marker, found '$dot'"
read -r x y <<<"$(box_centre "$dot")"
read -r w h <<<"$(identify -format '%w %h' "$rest")"
((x >= w / 2 - 1 && x <= w / 2 + 1 && y >= h / 2 - 1 && y <= h / 2 + 1)) ||
  fail "the dot rests at $x,$y, not on the centre of a ${w}x${h} window"

# Dragged 200 points to the right, the dot uncovers the marker; let go, the
# spring takes hold again and swings it back.
xdotool mousemove --window "$window_id" "$x" "$y" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove --window "$window_id" $((x + 25 * step)) "$y"
  sleep 0.02
done
sleep 0.2
held="$(shot held-away)"
[[ "$(pixel "$held" "$x" "$y")" == "$grey" ]] || fail "no marker at the centre while the dot is away"
[[ "$(pixel "$held" $((x + 200)) "$y")" == "$light" ]] ||
  fail "the held dot is not highlighted under the finger"
xdotool mouseup 1
xdotool mousemove --window "$window_id" 2 2
sleep 0.25
swing="$(shot swinging-back)"
[[ "$(pixel "$swing" $((x + 200)) "$y")" == "255,255,255" ]] ||
  fail "the spring did not swing the dot back from the release point"
stop_app
echo "PASS magnet dot rests on the centre, follows a drag and swings back ($shots)"
