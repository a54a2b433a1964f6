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

echo "== dynamics"
"$build/bench/tamarock_dynamics_bench"
# Swipe in a real window: once the braked dot rests, the animator stops and
# the process sleeps.
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=2\n' >"$XDG_CONFIG_HOME/tamarock/settings.ini"
"$build/tamarock" &
pid=$!
sleep 5
t0="$(ticks "$pid")"
sleep 10
t1="$(ticks "$pid")"
echo "CPU over 10 s with the Swipe dot at rest: $(awk -v d="$((t1 - t0))" -v hz="$hz" 'BEGIN {printf "%.2f s", d / hz}')"
kill -TERM "$pid"
wait "$pid" || true
rm -rf "$work"
