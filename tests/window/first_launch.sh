#!/usr/bin/env bash
# First launch shows the choices over Touch; Escape closes them; a click on the
# dot moves it; the choice is stored; the next launch goes straight to Touch.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
grey="142,142,147"

start_app 0.8
first="$(shot first-launch)"
[[ "$(pixel "$first" 5 5)" != "255,255,255" ]] || fail "no dimmed choices sheet on first launch"

xdotool key --window "$window_id" Escape
sleep 0.6
closed="$(shot after-escape)"
[[ "$(pixel "$closed" 5 5)" == "255,255,255" ]] || fail "the choices did not close on Escape"
dot="$(box_of_colour "$closed" "$grey")"
is_dot "$dot" || fail "expected one 64x64 grey dot, found '$dot'"

read -r x y <<<"$(box_centre "$dot")"
xdotool mousemove --window "$window_id" "$x" "$y" click 1
sleep 0.5
rest_pointer
sleep 0.3
tapped="$(shot after-tap)"
moved="$(box_of_colour "$tapped" "$grey")"
is_dot "$moved" || fail "the dot is not whole after the tap: '$moved'"
[[ "$moved" != "$dot" ]] || fail "the dot did not move ($dot)"

stop_app
[[ "$(setting CurrentAction)" == "0" ]] || fail "CurrentAction not stored as 0"
[[ "$(setting FirstLaunch)" == "false" ]] || fail "FirstLaunch not stored as false"

start_app 0.8
again="$(shot second-launch)"
[[ "$(pixel "$again" 5 5)" == "255,255,255" ]] || fail "the second launch opened the choices"
is_dot "$(box_of_colour "$again" "$grey")" || fail "the second launch shows no Touch dot"
stop_app

# With no absolute home there is no place for settings: play goes on, and nothing is written
# relative to the folder the program was started from.
mkdir "$work/started-here"
cd "$work/started-here"
unset XDG_CONFIG_HOME
export HOME=""
start_app 0.8
homeless="$(shot homeless-launch)"
[[ "$(pixel "$homeless" 5 5)" != "255,255,255" ]] || fail "no choices sheet without a home"
stop_app
[[ -z "$(ls -A "$work/started-here")" ]] || fail "settings written outside a home: $(ls -A)"
echo "PASS first launch, Escape, tap, persistence, no home ($shots)"
