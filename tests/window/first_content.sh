#!/usr/bin/env bash
# The first picture the X server shows of the window is the action itself: the
# window never maps blank (one colour all over) before the content arrives.
# An X client of its own watches from outside for the map and reads the
# window's pixels every few milliseconds.
set -euo pipefail
TAMAROCK="$1"
WATCH="$2"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"

watch_first_frames() {
  https_proxy=http://127.0.0.1:9 http_proxy=http://127.0.0.1:9 no_proxy= \
    "$WATCH" "$TAMAROCK" 2>"$work/stderr" >"$work/seen" || true
  grep -q '^content [0-9]' "$work/seen" || fail "$1: no content appeared: $(tr '\n' ' ' <"$work/seen")"
  grep -qx 'blank 0' "$work/seen" || fail "$1: a blank frame showed first: $(tr '\n' ' ' <"$work/seen")"
}

for action in 5 3; do
  printf '[Defaults]\nFirstLaunch=false\nCurrentAction=%s\n' "$action" >"$settings"
  watch_first_frames "action $action"
  GDK_SCALE=2 watch_first_frames "action $action at scale 2"
done
echo "first frames: every one was the content"
