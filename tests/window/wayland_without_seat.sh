#!/usr/bin/env bash
# A Wayland compositor without an input seat (weston's headless backend) is
# no place for the window: the program opens it on X11 where there is an X
# display, and otherwise says why on one line and exits with status 1.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\n' >"$settings"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=tamarock-headless --no-config --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [[ -S "$XDG_RUNTIME_DIR/tamarock-headless" ]] && break
  sleep 0.1
done
[[ -S "$XDG_RUNTIME_DIR/tamarock-headless" ]] || fail "weston did not start (see $work/weston.log)"
export WAYLAND_DISPLAY=tamarock-headless

start_app 0.6
is_dot "$(box_of_colour "$(shot x11-fallback)" "142,142,147")" ||
  fail "the X11 window shows no dot"
stop_app

status=0
DISPLAY= "$TAMAROCK" 2>"$work/stderr" >/dev/null || status=$?
[[ $status -eq 1 ]] || fail "exit status $status without a seat or an X display, expected 1"
[[ $(wc -l <"$work/stderr") -eq 1 ]] || fail "not one line on stderr: $(cat "$work/stderr")"
grep -q "seat" "$work/stderr" || fail "the line does not say why: $(cat "$work/stderr")"
kill -0 "$weston_pid" || fail "weston is gone"
echo "PASS X11 instead of a seatless Wayland, one line without X: $(cat "$work/stderr")"
