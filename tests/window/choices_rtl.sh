#!/usr/bin/env bash
# In Arabic the choices read from the right, as the platform's sheets do:
# Cancel at the right end of the bar, each row's text at the right and the
# colours switch at the left, turned on towards the left. The Cancel drawn
# there closes the sheet.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=true\n' >"$settings"
unset LC_ALL LC_MESSAGES
export LANG=C.UTF-8 LANGUAGE=ar
blue="0,122,255"
green="52,199,89"

# The bounding box "WxH+X+Y" of the pixels of one colour alone, also on a white
# ground (box_of_colour counts white with it): marked, the rest made black, and
# framed in black so that the frame is what trimming takes away.
box_of_only() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$(convert "$1" -alpha off -fuzz 8% -fill "rgb(255,0,255)" \
    -opaque "rgb($2)" -fill black +opaque "rgb(255,0,255)" -fill white -opaque "rgb(255,0,255)" \
    -bordercolor black -border 1 -format '%@' info:)"
  echo "${w}x${h}+$((x - 1))+$((y - 1))"
}

start_app 0.6
xdotool key --window "$window_id" ctrl+l
sleep 0.6
sheet_shot="$(shot choices)"

# The card is the one white thing over the dimmed window; its bar is the top 52 points.
IFS='x+' read -r card_w card_h card_x card_y <<<"$(box_of_colour "$sheet_shot" "255,255,255")"
((card_w >= 400 && card_h >= 300)) || fail "no choices sheet: white box ${card_w}x${card_h}"
middle=$((card_x + card_w / 2))
right=$((card_x + card_w))
convert "$sheet_shot" -crop "${card_w}x52+${card_x}+${card_y}" +repage "$shots/bar.png"
convert "$sheet_shot" -crop "${card_w}x$((card_h - 52))+${card_x}+$((card_y + 52))" +repage \
  "$shots/rows.png"

IFS='x+' read -r w _ x _ <<<"$(box_of_only "$shots/bar.png" "$blue")"
((w > 0 && card_x + x > middle)) || fail "Cancel is not in the right half of the bar (x $((card_x + x)))"
((card_x + x + w > right - 40)) || fail "Cancel does not end at the bar's right end ($((card_x + x + w)) of $right)"
cancel_x=$((card_x + x + w / 2))
cancel_y=$((card_y + 26))

IFS='x+' read -r w h x y <<<"$(box_of_only "$shots/rows.png" "$green")"
((w >= 40 && w <= 56)) || fail "no switch turned on in the rows: green box ${w}x${h}"
((card_x + x + w < middle)) || fail "the switch is not in the left half ($((card_x + x)))"
knob="$(pixel "$shots/rows.png" $((x + 12)) $((y + h / 2)))"
track="$(pixel "$shots/rows.png" $((x + w - 10)) $((y + h / 2)))"
[[ "$knob" == "255,255,255" ]] || fail "the switch is on but its knob is not at its left: $knob"
[[ "$track" != "255,255,255" ]] || fail "the knob of the switch stands at its right"

# The rows' text, in the label colour: all of it right of the middle, ending
# at the rows' trailing margin.
IFS='x+' read -r w _ x _ <<<"$(box_of_only "$shots/rows.png" "0,0,0")"
((w > 0 && card_x + x > middle)) || fail "row text reaches the left half ($((card_x + x)))"
((card_x + x + w >= right - 36)) || fail "the row text does not end at the right ($((card_x + x + w)) of $right)"

xdotool mousemove --window "$window_id" "$cancel_x" "$cancel_y" click 1
sleep 0.6
xdotool mousemove --window "$window_id" 2 2
[[ "$(pixel "$(shot cancelled)" 5 5)" == "255,255,255" ]] || fail "the Cancel at the right did not close the sheet"
stop_app
[[ "$(setting RandomColors)" == "true" ]] || fail "RandomColors was lost"
echo "PASS Arabic choices: Cancel right, text right, switch left ($shots)"
