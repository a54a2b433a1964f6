#!/usr/bin/env bash
# The figures of the performance goals, measured on this machine under Xvfb
# (no GPU). Usage: bench/measure.sh BUILD_DIR. Reports; checks nothing.
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/tamarock"
# A returning user: straight to Touch, no choices sheet.
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\n' >"$XDG_CONFIG_HOME/tamarock/settings.ini"

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash "$0" "$@"
fi

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"

echo "== launch (5 runs)"
for _ in 1 2 3 4 5; do "$build/bench/tamarock_launch_bench"; done

echo "== idle"
"$build/tamarock" &
pid=$!
sleep 5
echo "RSS after 5 s idle: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' "/proc/$pid/status")"
t0="$(ticks "$pid")"
sleep 10
t1="$(ticks "$pid")"
echo "CPU over 10 s idle: $(awk -v d="$((t1 - t0))" -v hz="$hz" 'BEGIN {printf "%.2f s", d / hz}')"
kill -TERM "$pid"
wait "$pid" || true

echo "== frames"
"$build/bench/tamarock_frame_bench"

echo "== painting"
"$build/bench/tamarock_paint_bench"

echo "== painting in a real window: 500 pointer moves 20 ms apart"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=5\n' >"$XDG_CONFIG_HOME/tamarock/settings.ini"
"$build/tamarock" &
pid=$!
wid="$(timeout 10 xdotool search --sync --pid "$pid" --name '^Tamarock$' | head -1)"
# The whole screen; the new geometry installs a fresh Paint screen.
xdotool windowmove "$wid" 0 0 windowsize "$wid" 1920 1080
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
moves=()
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
kill -TERM "$pid"
wait "$pid" || true
rm -rf "$work"
