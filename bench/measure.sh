#!/usr/bin/env bash
# The figures of the performance goals, measured on this machine under Xvfb
# (no GPU). Usage: bench/measure.sh BUILD_DIR. Reports; checks nothing.
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
# The real programs ask their site for a newer build; keep the network out of the figures.
export https_proxy=http://127.0.0.1:9 http_proxy=http://127.0.0.1:9 no_proxy=
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/tamarock"
# A returning user: straight to Touch, no choices sheet.
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\n' >"$XDG_CONFIG_HOME/tamarock/settings.ini"

# X11 first: the program would take a Wayland session's compositor over the X server.
unset WAYLAND_DISPLAY
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash "$0" "$@"
fi

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"

# Starts the program on action $1 as a returning user would; its pid in $pid.
start_on() {
  printf '[Defaults]\nFirstLaunch=false\nCurrentAction=%s\n' "$1" >"$XDG_CONFIG_HOME/tamarock/settings.ini"
  "$build/tamarock" >/dev/null &
  pid=$!
}

# Prints "$1: " and the CPU the program used over the next 10 s.
cpu_over_10s() {
  local t0 t1
  t0="$(ticks "$pid")"
  sleep 10
  t1="$(ticks "$pid")"
  echo "$1: $(awk -v d="$((t1 - t0))" -v hz="$hz" 'BEGIN {printf "%.2f s", d / hz}')"
}

stop_program() {
  kill -TERM "$pid"
  wait "$pid" || true
}

echo "== launch (5 runs)"
for _ in 1 2 3 4 5; do "$build/bench/tamarock_launch_bench"; done

echo "== idle"
start_on 0
sleep 5
echo "RSS after 5 s idle: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status")"
cpu_over_10s "CPU over 10 s idle"
stop_program

echo "== frames"
"$build/bench/tamarock_frame_bench"

echo "== dynamics"
"$build/bench/tamarock_dynamics_bench"
# Swipe in a real window: once the braked dot rests, the animator stops and
# the process sleeps.
start_on 2
sleep 5
cpu_over_10s "CPU over 10 s with the Swipe dot at rest"
stop_program

echo "== gravity"
"$build/bench/tamarock_gravity_bench"
start_on 1
# Dropped from the top of the window the dots rest within about ten seconds.
sleep 12
cpu_over_10s "CPU over 10 s once the Gravity dots rest"
stop_program

echo "== painting"
"$build/bench/tamarock_paint_bench"

# Drags through the middle of window $1 with 500 pointer moves 20 ms apart and
# reports the CPU they cost the program and its RSS after.
paint_drag() {
  local wid="$1" WIDTH HEIGHT t0 t1 s0 s1
  eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(WIDTH|HEIGHT)=')"
  local moves=()
  for i in $(seq 0 499); do
    moves+=(mousemove --window "$wid" "$(awk -v i="$i" -v w="$WIDTH" 'BEGIN {printf "%d", w / 2 + 120 * cos(i * 0.034) + 30 * sin(i * 0.11)}')"
      "$(awk -v i="$i" -v h="$HEIGHT" 'BEGIN {printf "%d", h / 2 + 120 * sin(i * 0.034)}')" sleep 0.02)
  done
  xdotool mousemove --window "$wid" $((WIDTH / 2 + 120)) $((HEIGHT / 2)) mousedown 1
  t0="$(ticks "$pid")"
  s0="$(date +%s.%N)"
  xdotool "${moves[@]}"
  t1="$(ticks "$pid")"
  s1="$(date +%s.%N)"
  xdotool mouseup 1
  echo "window ${WIDTH}x${HEIGHT}: CPU $(awk -v d="$((t1 - t0))" -v hz="$hz" 'BEGIN {printf "%.2f s", d / hz}')" \
    "over $(awk -v a="$s0" -v b="$s1" 'BEGIN {printf "%.1f s", b - a}') of dragging;" \
    "RSS $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status")"
}

echo "== painting in a real window: 500 pointer moves 20 ms apart"
start_on 5
wid="$(timeout 10 xdotool search --sync --pid "$pid" --name '^Tamarock$' | head -1)"
# The whole screen; the new geometry installs a fresh Paint screen.
xdotool windowmove "$wid" 0 0 windowsize "$wid" 1920 1080
sleep 1
paint_drag "$wid"
stop_program

# The same on Wayland: a weston nested in the X screen, whose kiosk shell gives
# the window the whole output, at scale 1 and at scale 2 (half the points).
for scale in 1 2; do
  echo "== Wayland at scale $scale, 1920x1080 pixels"
  export XDG_RUNTIME_DIR="$work/runtime-$scale"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  weston --backend=x11-backend.so --shell=kiosk-shell.so --socket=bench --no-config --use-pixman \
    --idle-time=0 --width=$((1920 / scale)) --height=$((1080 / scale)) --scale="$scale" \
    >"$work/weston.log" 2>&1 &
  weston_pid=$!
  wid="$(timeout 10 xdotool search --sync --class '^Weston Compositor$' | head -1)"
  export WAYLAND_DISPLAY=bench
  start_on 0
  sleep 5
  echo "RSS after 5 s idle: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status")"
  cpu_over_10s "CPU over 10 s idle"
  stop_program
  start_on 5
  sleep 2
  paint_drag "$wid"
  stop_program
  kill "$weston_pid"
  wait "$weston_pid" || true
  unset WAYLAND_DISPLAY
done
rm -rf "$work"
