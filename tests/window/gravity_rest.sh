#!/usr/bin/env bash
# Gravity without a motion sensor: the console says so, and the three dots
# fall straight down and come to rest on the floor of the window.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=1\nRandomColors=false\n' >"$settings"
grey="142,142,147"

start_app 0.3 >"$work/stdout"
shot falling >/dev/null
# How long the bounces take to die out depends on where the dots start and how
# they meet, so the test waits for two equal pictures a second apart, up to a
# limit far beyond any drop the window allows.
later="$(shot rest-0)"
for moment in $(seq 1 40); do
  sleep 1
  rest="$later"
  later="$(shot "rest-$moment")"
  [[ "$(compare -metric AE "$rest" "$later" null: 2>&1)" == "0" ]] && break
done
stop_app

grep -qx "No motion detector" "$work/stdout" || fail "no console line; stdout: $(cat "$work/stdout")"
[[ "$(compare -metric AE "$rest" "$later" null: 2>&1)" == "0" ]] || fail "the dots still move after 40 s"

height="$(identify -format '%h' "$rest")"
box="$(box_of_colour "$rest" "$grey")"
IFS='x+' read -r w h x y <<<"$box"
[[ -n "$box" && "$w" -ge 63 ]] || fail "no dots found: '$box'"
# All three lie at the bottom: on the floor, or one at most on top of the others.
(( y + h >= height - 2 )) || fail "the lowest dot is not on the floor: box $box, window height $height"
(( h <= 130 )) || fail "a dot is not resting at the bottom: box $box"
# Three whole dots: about 3 × π × 32² grey pixels (less the blended rim).
area="$(convert "$rest" -alpha off -fuzz 8% -fill black +opaque "rgb($grey)" \
  -fill white -opaque "rgb($grey)" -format '%[fx:int(mean*w*h+0.5)]' info:)"
(( area > 9000 && area < 10300 )) || fail "expected three whole dots, found $area grey pixels"
echo "PASS gravity without a sensor: console line, three dots at rest on the floor ($shots)"
