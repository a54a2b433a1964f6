#!/usr/bin/env bash
# Swipe: a quick drag flings the dot; it glides on after the release and stays
# whole inside the window while it bounces.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
grey="142,142,147"
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=2\nRandomColors=false\n' >"$settings"

start_app 1.5
before="$(shot before-fling)"
dot="$(box_of_colour "$before" "$grey")"
is_dot "$dot" || fail "expected one resting 64x64 grey dot, found '$dot'"
read -r x y <<<"$(box_centre "$dot")"
read -r w h <<<"$(identify -format '%w %h' "$before")"

# Towards the emptier side, in short quick steps, released while moving.
dx="$(px 24)"
((x > w / 2)) && dx=$((-dx))
xdotool mousemove --window "$window_id" "$x" "$y" mousedown 1
for _ in 1 2 3 4 5; do
  x=$((x + dx))
  xdotool mousemove --window "$window_id" "$x" "$y"
  sleep 0.02
done
xdotool mouseup 1
rest_pointer
released_x=$x
sleep 0.15
gliding="$(shot gliding)"
moving="$(box_of_colour "$gliding" "$grey")"
is_dot "$moving" || fail "the dot is not whole while gliding: '$moving'"
read -r gx _ <<<"$(box_centre "$moving")"
glide="$(px 10)"
((dx > 0 ? gx > released_x + glide : gx < released_x - glide)) ||
  fail "the dot did not glide on after the release (released at $released_x, now at $gx)"

for moment in 1 2 3; do
  sleep 1
  later="$(shot "later-$moment")"
  box="$(box_of_colour "$later" "$grey")"
  is_dot "$box" || fail "after ${moment}s the dot is not whole inside the window: '$box'"
done
stop_app
echo "PASS swipe fling glides on and stays in the window ($shots)"
