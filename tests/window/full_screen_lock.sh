#!/usr/bin/env bash
# The child-proof full screen under a real window manager (openbox). Openbox's
# shortcuts for the chords a child could hit write to a log instead of acting,
# so the log counts the keys that reached the window manager: some while the
# program is a window (the count works), none while it is full screen. F11
# covers the screen; 5,000 random keys and chords leave the program running,
# full screen and in front; Ctrl+L, then F11, lets it out; a close request is
# declined full screen and quits the window.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=false\n' >"$settings"

wm_log="$work/reached-the-window-manager"
: >"$wm_log"
chords=(A-Tab A-F4 C-q C-w C-A-Left C-A-Right C-A-Up C-A-Down Super_L)
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<openbox_config xmlns="http://openbox.org/3.4/rc">'
  echo '<focus><focusNew>yes</focusNew></focus><keyboard>'
  for chord in "${chords[@]}"; do
    echo "<keybind key=\"$chord\"><action name=\"Execute\">"
    echo "<command>sh -c 'echo $chord &gt;&gt; $wm_log'</command></action></keybind>"
  done
  # A close request as the window manager sends it (WM_DELETE_WINDOW), on a
  # click the keyboard grab leaves to openbox.
  echo '</keyboard><mouse><context name="Client">'
  echo '<mousebind button="A-Middle" action="Press"><action name="Close"/></mousebind>'
  echo '</context></mouse></openbox_config>'
} >"$work/rc.xml"

wm_pid=
trap 'kill "${app_pid:-}" "${wm_pid:-}" 2>/dev/null || true' EXIT
wm_manages() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# Now and then, with other tests starting their servers alongside, openbox
# cannot open the display at its first try; it says so and exits at once.
for _ in 1 2 3; do
  openbox --config-file "$work/rc.xml" --sm-disable >>"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 50); do
    wm_manages && break 2
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$wm_pid" 2>/dev/null || true
  sleep 0.5
done
wm_manages || fail "openbox did not start: $(cat "$work/openbox.log")"

read -r screen_w screen_h <<<"$(xdotool getdisplaygeometry)"
start_app 0.8

wm_keys() { wc -l <"$wm_log"; }
wm_keys_are() { [[ "$(wm_keys)" -eq $1 ]]; }
geometry() { xdotool getwindowgeometry "$window_id" | sed -n 's/^ *Geometry: //p'; }
full_screen() {
  [[ "$(geometry)" == "${screen_w}x${screen_h}" ]] &&
    xprop -id "$window_id" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}
in_front() {
  local active
  active="$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# //p')"
  [[ -n "$active" && $((active)) -eq $window_id ]]
}
running() { kill -0 "$app_pid" 2>/dev/null; }
# The choices dim the whole window; the action's background is white.
choices_open() {
  import -window root -crop 1x1+1+1 "$work/corner.png" &&
    [[ "$(pixel "$work/corner.png" 0 0)" != "255,255,255" ]]
}
# Up to five seconds for a condition: a loaded machine may be slow to show it.
within_5s() {
  for _ in $(seq 50); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
not() { ! "$@"; }
close_request() {
  xdotool mousemove --window "$window_id" 20 20 keydown alt click 2 keyup alt
  sleep 0.5
}

in_front || fail "the new window is not the active one"
# xdotool's keys go through the server (XTEST), as a keyboard's do: grabs apply.
xdotool key alt+Tab alt+F4 ctrl+q ctrl+w ctrl+alt+Left ctrl+alt+Right ctrl+alt+Up \
  ctrl+alt+Down super
within_5s wm_keys_are ${#chords[@]} ||
  fail "as a window, $(wm_keys) of ${#chords[@]} chords reached openbox: the count does not work"
running || fail "the program ended on the window manager's chords"
xdotool windowactivate --sync "$window_id"

xdotool key F11
within_5s full_screen || fail "F11 did not cover the screen: $(geometry)"
shot full-screen-before >/dev/null
close_request
running || fail "a close request ended the program full screen"

# The storm: every letter, digit and function key, and the chords, at random.
# Ctrl+L may come; F11 then waits until a pause and an Escape have closed the
# choices, since F11 in the open choices is the grown-up's way out.
keys=({a..z} {0..9} F{1..12} Escape Tab super alt+Tab alt+F4 ctrl+q ctrl+w ctrl+alt+Left
  ctrl+alt+Right ctrl+alt+Up ctrl+alt+Down ctrl+l)
: >"$wm_log"
total=5000
batch=500
sent=0
for ((b = 0; b < total / batch; b++)); do
  line=()
  choices=0
  for ((i = 0; i < batch; i++)); do
    k="${keys[RANDOM % ${#keys[@]}]}"
    while [[ $choices -eq 1 && "$k" == F11 ]]; do k="${keys[RANDOM % ${#keys[@]}]}"; done
    [[ "$k" == ctrl+l ]] && choices=1
    line+=("$k")
  done
  xdotool key --delay 0 "${line[@]}"
  sent=$((sent + ${#line[@]}))
  if [[ $choices -eq 1 ]]; then
    for _ in 1 2 3 4 5; do
      sleep 0.5
      choices_open || break
      xdotool key Escape
    done
    choices_open && fail "Escape does not close the choices"
  fi
done
sleep 1
echo "keys sent: $sent, keys that reached the window manager: $(wm_keys)"
running || fail "the program ended during the key storm"
full_screen || fail "the key storm took the program out of full screen: $(geometry)"
in_front || fail "the key storm took the program out of the front"
[[ "$(wm_keys)" -eq 0 ]] || fail "$(wm_keys) keys reached openbox while full screen: $(sort "$wm_log" | uniq -c)"
import -window root "$shots/full-screen-after-storm.png" || fail "screenshot after the storm"
echo "$shots/full-screen-after-storm.png"

xdotool key F11
sleep 0.5
full_screen || fail "F11 alone left full screen"
xdotool key ctrl+l
within_5s choices_open || fail "Ctrl+L did not open the choices full screen"
sleep 0.3
xdotool key F11
within_5s not full_screen || fail "Ctrl+L, then F11, did not leave full screen"
xdotool key Escape
xdotool key alt+Tab
within_5s wm_keys_are 1 || fail "the desktop's chords do not reach openbox again out of full screen"
sleep 0.5  # the choices' fade
shot windowed-after >/dev/null

xdotool windowactivate --sync "$window_id"
close_request
status=0
for _ in $(seq 30); do running || break; sleep 0.1; done
running && fail "a close request did not end the windowed program"
wait "$app_pid" || status=$?
[[ $status -eq 0 ]] || fail "exit status $status after the close request: $(head -3 "$work/stderr")"
echo "PASS full screen lock under openbox ($shots)"
