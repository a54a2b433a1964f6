#!/usr/bin/env bash
# One second after launch the program finds a newer build on its (loopback)
# site and shows the update alert over the action: Escape closes it and stores
# nothing; Download hands exactly the download address to xdg-open; Skip
# stores the build, and the next launch stays quiet.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=0\nRandomColors=false\n' >"$settings"

# A stub xdg-open first on PATH notes what it was asked to open.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s" "$1" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"

start_loopback() {
  "$TAMAROCK" >"$work/stdout" 2>"$work/stderr" &
  app_pid=$!
  window_id="$(timeout 10 xdotool search --sync --pid "$app_pid" --name '^Tamarock$' | head -1)" ||
    fail "no window titled Tamarock appeared"
  xdotool mousemove --window "$window_id" 2 2
  site="$(head -1 "$work/stdout")"
}

# Waits up to ten seconds for the dimmed window of the alert; false if it never comes.
wait_for_alert() {
  local i
  for i in $(seq 1 40); do
    sleep 0.25
    [[ "$(pixel "$(shot "$1")" 5 5)" != "255,255,255" ]] && sleep 0.4 && return 0
  done
  return 1
}

start_loopback
wait_for_alert waiting || fail "no alert within ten seconds"
alert="$(shot alert)"
corner="$(pixel "$alert" 5 5)"
centre="$(pixel "$alert" 512 384)"
[[ "$corner" =~ ^1[6-8][0-9],1[6-8][0-9],1[6-8][0-9]$ ]] || fail "the action is not dimmed: $corner"
[[ "$centre" == "255,255,255" ]] || fail "no card at the centre: $centre"
xdotool key --window "$window_id" Escape
sleep 0.6
[[ "$(pixel "$(shot escaped)" 5 5)" == "255,255,255" ]] || fail "Escape did not close the alert"
stop_app
[[ -z "$(setting SkipUpdateBuild)" || "$(setting SkipUpdateBuild)" == "0" ]] ||
  fail "Escape stored SkipUpdateBuild=$(setting SkipUpdateBuild)"

# Focus starts on Cancel; one step right is Download.
start_loopback
wait_for_alert again || fail "the alert did not return at the next launch"
xdotool key --window "$window_id" Right Return
for i in $(seq 1 40); do [[ -s "$work/opened" ]] && break; sleep 0.25; done
[[ "$(cat "$work/opened" 2>/dev/null)" == "$site/downloads/Tamarock.zip" ]] ||
  fail "xdg-open got '$(cat "$work/opened" 2>/dev/null)', expected '$site/downloads/Tamarock.zip'"
stop_app

# Skip is the first button.
start_loopback
wait_for_alert third || fail "the alert did not return after Download"
xdotool key --window "$window_id" Left Return
sleep 0.6
stop_app
[[ "$(setting SkipUpdateBuild)" == "2" ]] || fail "Skip stored '$(setting SkipUpdateBuild)'"
start_loopback
! wait_for_alert skipped || fail "a skipped build was offered again"
stop_app
echo "PASS update alert: shown, Escape, Download, Skip ($shots)"
