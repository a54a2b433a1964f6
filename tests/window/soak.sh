#!/usr/bin/env bash
# Soak: random input across the actions in a real window under a real window
# manager. Nothing crashes, memory settles after the first stretch, and once
# input stops the program goes back to sleep.
#   TAMAROCK_SOAK_SECONDS  length of the input (default 45; 600 for the full soak)
#   TAMAROCK_SOAK_SEED     replays one run's choices of input
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
seconds="${TAMAROCK_SOAK_SECONDS:-45}"
# Memory is held to its level after the first minute, or the first quarter of
# a shorter run: by then every action, the choices and their images were made.
settle=$((seconds >= 240 ? 60 : seconds / 4))
seed="${TAMAROCK_SOAK_SEED:-$((RANDOM * 32768 + RANDOM))}"
RANDOM=$seed
echo "soak for ${seconds}s, seed $seed (TAMAROCK_SOAK_SEED=$seed replays it)"

setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=false\n' >"$settings"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
trap 'kill "$wm_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
start_app 1.0

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status"; }
ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the program died (seed $seed); stderr: $(cat "$work/stderr")"; }

# The window's size as it is now, in $w and $h.
measure() {
  eval "$(xdotool getwindowgeometry --shell "$window_id" | grep -E '^(WIDTH|HEIGHT)=')"
  w=$WIDTH h=$HEIGHT
}

# A random point inside the window, in "x y".
point() {
  measure
  echo "$((RANDOM % w)) $((RANDOM % h))"
}

drag() {
  local x y steps dx dy pause
  read -r x y <<<"$(point)"
  steps=$((2 + RANDOM % 10)) dx=$((RANDOM % 81 - 40)) dy=$((RANDOM % 81 - 40))
  pause=$1
  measure
  xdotool mousemove --window "$window_id" "$x" "$y" mousedown 1
  for _ in $(seq "$steps"); do
    # Past the edge a drag stops at it, as a finger does at the glass.
    x=$((x + dx < 0 ? 0 : (x + dx >= w ? w - 1 : x + dx)))
    y=$((y + dy < 0 ? 0 : (y + dy >= h ? h - 1 : y + dy)))
    xdotool mousemove --window "$window_id" "$x" "$y"
    sleep "$pause"
  done
  xdotool mouseup 1
}

# Through the choices as a grown-up would: open, move, pick (or cancel).
choose() {
  local downs
  downs=$((RANDOM % 7))
  xdotool key --window "$window_id" ctrl+l
  sleep 0.4
  for _ in $(seq "$downs"); do xdotool key --window "$window_id" Down; done
  if ((RANDOM % 4 == 0)); then
    xdotool key --window "$window_id" Escape
  else
    xdotool key --window "$window_id" Return
  fi
  sleep 0.4
}

keys=(a z 1 space Return Escape Tab Up Down Left Right BackSpace F1 F5 ctrl+z alt+x)
events=0
started=$SECONDS
settled_rss=""
while ((SECONDS - started < seconds)); do
  case $((RANDOM % 10)) in
    0 | 1 | 2)
      read -r x y <<<"$(point)"
      xdotool mousemove --window "$window_id" "$x" "$y" click 1
      ;;
    3 | 4) drag 0.03 ;;
    5) drag 0.005 ;;
    6) choose ;;
    7) xdotool key --window "$window_id" "${keys[RANDOM % ${#keys[@]}]}" ;;
    8) xdotool windowsize "$window_id" $((360 + RANDOM % 921)) $((480 + RANDOM % 321)) ;;
    9) sleep 0.$((RANDOM % 10)) ;;
  esac
  events=$((events + 1))
  ((events % 10 == 0)) && alive
  if [[ -z "$settled_rss" ]] && ((SECONDS - started >= settle)); then
    settled_rss="$(rss_kb)"
    echo "RSS after ${settle}s: ${settled_rss} kB"
  fi
done
alive

# The last input: back to Touch through the choices, then one tap. Nothing is
# left moving after that but the dot's short jump.
xdotool key --window "$window_id" ctrl+l
sleep 0.4
for _ in $(seq 8); do xdotool key --window "$window_id" Up; done
xdotool key --window "$window_id" Return
sleep 0.6
read -r x y <<<"$(point)"
xdotool mousemove --window "$window_id" "$x" "$y" click 1
xdotool mousemove --window "$window_id" 2 2
events=$((events + 1))
sleep 2
t0="$(ticks)"
sleep 3
t1="$(ticks)"
final_rss="$(rss_kb)"
echo "events $events; RSS ${settled_rss} kB after ${settle}s, ${final_rss} kB at the end;" \
  "CPU ticks from 2 s to 5 s after the last event: $((t1 - t0))"
((t1 == t0)) || fail "still using the processor 2 s after the last event (seed $seed)"
((final_rss <= settled_rss + 5120)) ||
  fail "RSS grew from ${settled_rss} kB to ${final_rss} kB (seed $seed)"
shot end >/dev/null
stop_app
echo "PASS soak: $events events in ${seconds}s ($shots)"
