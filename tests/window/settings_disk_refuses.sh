#!/usr/bin/env bash
# The settings folder on a full disk (a tmpfs with no page to spare), then read-only: picks in the
# choices and a resize still take effect, the program quits cleanly, and the file that was there
# stays byte for byte, with no temporary file left beside it. The mounts live in a mount
# namespace of the test's own (as root, or as a user mapped to root), so they need no privileges
# and vanish with it; the disk is real, nothing is mocked.
set -euo pipefail
TAMAROCK="$1"
if [[ -z "${TAMAROCK_MOUNT_NAMESPACE:-}" ]]; then
  TAMAROCK_MOUNT_NAMESPACE=1 exec unshare --map-root-user --mount --propagation private \
    bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
returning='[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=false\n'

# Plays against the settings folder as `prepare` left it.
play_against() {
  local name="$1" prepare="$2"
  setup_home
  local folder
  folder="$(dirname "$settings")"
  mkdir -p "$folder"
  "$prepare" "$folder"
  cp "$settings" "$work/before"

  start_app 0.6
  local plain picked
  plain="$(shot "$name-touch")"
  xdotool key --window "$window_id" ctrl+l
  sleep 0.6
  xdotool key --window "$window_id" Down Down Return
  sleep 0.6
  picked="$(shot "$name-picked")"
  [[ "$(pixel "$picked" 5 5)" == "255,255,255" ]] || fail "$name: the choices did not close"
  cmp -s "$plain" "$picked" && fail "$name: the pick changed nothing on screen"
  xdotool windowsize "$window_id" 640 480
  sleep 0.5
  kill -0 "$app_pid" || fail "$name: the program ended"
  [[ "$(xdotool getwindowgeometry "$window_id" | sed -n 's/.*Geometry: //p')" == "640x480" ]] ||
    fail "$name: the window was not resized"
  stop_app
  cmp "$work/before" "$settings" || fail "$name: the settings file changed"
  local left
  left="$(ls -A "$folder")"
  [[ "$left" == "settings.ini" ]] || fail "$name: the folder holds: $left"
  echo "PASS $name ($shots)"
}

# One page, which the settings file takes: the next file written there gets no byte.
full_disk() {
  mount -t tmpfs -o size=4k tmpfs "$1"
  printf "$returning" >"$settings"
  if printf x >"$1/probe" 2>/dev/null; then fail "the tmpfs has room left"; fi
  rm -f "$1/probe"
}

# A bind mount of the folder made read-only, which binds root as well.
read_only() {
  printf "$returning" >"$settings"
  mount --bind "$1" "$1"
  mount -o remount,bind,ro "$1"
  if touch "$1/probe" 2>/dev/null; then fail "the folder is writable"; fi
}

play_against full-disk full_disk
play_against read-only read_only
