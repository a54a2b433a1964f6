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
for _ in 1 2 3 4 5; do "$build/tamarock_launch_bench"; done

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
"$build/tamarock_frame_bench"

echo "== painting"
"$build/tamarock_paint_bench"
rm -rf "$work"
