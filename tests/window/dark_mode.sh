#!/usr/bin/env bash
# The program follows the desktop's colour scheme through the portal on a real
# session bus: it opens dark, and when the desktop turns light while a child
# paints, the background follows at once and the paint stays.
set -euo pipefail
TAMAROCK="$1"
PORTAL="$2"
source "$(dirname "$0")/lib.sh"
setup_home
# A failed check leaves the program running: end it before the bus.
trap '[[ -n "${app_pid:-}" ]] && kill "$app_pid" 2>/dev/null; stop_portal' EXIT
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=5\nRandomColors=false\n' >"$settings"
grey="142,142,147"
black="0,0,0"
white="255,255,255"

start_portal 1
start_app 0.8
eval "$(xdotool getwindowgeometry --shell "$window_id")"
cx=$((WIDTH / 2))
cy=$((HEIGHT / 2))
dark="$(shot dark-launch)"
[[ "$(pixel "$dark" 3 3)" == "$black" ]] || fail "not dark at launch: $(pixel "$dark" 3 3)"
[[ "$(pixel "$dark" "$cx" "$cy")" == "$black" ]] || fail "the shape is not dark inside"

# Enough strokes across the middle of any of the shapes that some are
# flattened into its picture.
xdotool mousemove --window "$window_id" $((cx - 60)) "$cy" mousedown 1
for dx in $(seq -60 6 60); do
  xdotool mousemove --window "$window_id" $((cx + dx)) "$cy"
  sleep 0.02
done
xdotool mouseup 1
xdotool mousemove --window "$window_id" 2 2
sleep 0.2
painted="$(shot dark-painted)"
[[ "$(pixel "$painted" $((cx - 55)) "$cy")" == "$grey" ]] || fail "no paint where the drag began"
[[ "$(pixel "$painted" "$cx" $((cy - 100)))" == "$black" ]] || fail "paint away from the drag"

# The desktop turns light; the paint is wiped two seconds after the last
# touch, so the change must show well before that.
set_color_scheme 2
light=""
for i in $(seq 20); do
  light="$(shot light-$i)"
  [[ "$(pixel "$light" 3 3)" == "$white" ]] && break
  sleep 0.05
done
[[ "$(pixel "$light" 3 3)" == "$white" ]] || fail "the background did not follow the desktop"
[[ "$(pixel "$light" "$cx" $((cy - 100)))" == "$white" ]] || fail "the shape kept the dark inside"
[[ "$(pixel "$light" $((cx - 55)) "$cy")" == "$grey" ]] || fail "the flattened paint was lost"
[[ "$(pixel "$light" $((cx + 55)) "$cy")" == "$grey" ]] || fail "the latest paint was lost"
echo "light after $i screenshot(s)"

# And back: the choices sheet opened over it goes dark too.
xdotool key --window "$window_id" ctrl+l
sleep 0.6
set_color_scheme 1
sleep 0.3
sheet="$(shot dark-choices)"
[[ "$(pixel "$sheet" "$cx" 3)" != "$white" ]] || fail "the dimmed window behind the sheet stayed light"
# Lifted a step above the black screen behind it, so that its edge shows: the
# bar beside the title.
bar="$(pixel "$sheet" $((cx + 150)) $((cy - 180)))"
[[ "$bar" == "28,28,30" ]] || fail "the sheet's bar is $bar, not lifted above the screen behind"
stop_app
app_pid=""
echo "PASS the window follows the desktop's colour scheme ($shots)"
