# Helpers for driving the real program under Xvfb like a person would.
# Sourced by the scenario scripts; $TAMAROCK is the program under test.
#
# With TAMAROCK_WAYLAND_SCALE set (1 or 2) the scenario runs on Wayland
# instead: the program is a client of a weston nested in the X display, whose
# kiosk shell gives the window the whole 1024x768-point output. The X window
# weston draws in then stands for the program's window: xdotool's input into
# it reaches the program through weston's seat, screenshots come from weston
# itself, and every length on screen is $scale pixels to the point.
scale="${TAMAROCK_WAYLAND_SCALE:-1}"
# Otherwise the program is an X11 client of the tests' X server, even when the
# tests run inside a Wayland session.
[[ -n "${TAMAROCK_WAYLAND_SCALE:-}" ]] || unset WAYLAND_DISPLAY

fail() {
  echo "FAIL: $*" >&2
  [[ -n "${shots:-}" ]] && echo "screenshots kept in $shots" >&2
  exit 1
}

# A fresh home for the settings, and a folder for the screenshots.
setup_home() {
  work="$(mktemp -d)"
  export XDG_CONFIG_HOME="$work/config"
  shots="$work/shots"
  mkdir -p "$shots"
  settings="$XDG_CONFIG_HOME/tamarock/settings.ini"
  [[ -n "${TAMAROCK_WAYLAND_SCALE:-}" ]] && start_weston
  return 0
}

# Points to pixels.
px() {
  echo $(($1 * scale))
}

start_weston() {
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # --debug lets weston-screenshooter in; pixman draws without a GPU.
  weston --backend=x11-backend.so --shell=kiosk-shell.so --socket=tamarock-test --no-config \
    --use-pixman --debug --idle-time=0 --width=1024 --height=768 --scale="$scale" \
    >"$work/weston.log" 2>&1 &
  weston_pid=$!
  trap 'kill "$weston_pid" 2>/dev/null || true' EXIT
  weston_window="$(timeout 10 xdotool search --sync --class '^Weston Compositor$' | head -1)" ||
    fail "weston opened no window (see $work/weston.log)"
  for _ in $(seq 50); do
    [[ -S "$XDG_RUNTIME_DIR/tamarock-test" ]] && break
    sleep 0.1
  done
  export WAYLAND_DISPLAY=tamarock-test
  mkdir "$work/shooter"
}

# Waits until the program's window shows something on weston's empty output.
wait_for_wayland_window() {
  local frame
  for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || fail "the program exited: $(cat "$work/stderr")"
    frame="$(shot waiting)"
    [[ "$(convert "$frame" -format %k info:)" -gt 1 ]] && return 0
    sleep 0.2
  done
  fail "no window appeared on weston's output"
}

start_app() {
  # The program asks its site for a newer build a second in. The tests must not
  # depend on what the real site says, so its requests go to a closed port.
  https_proxy=http://127.0.0.1:9 http_proxy=http://127.0.0.1:9 no_proxy= \
    "$TAMAROCK" 2>"$work/stderr" &
  app_pid=$!
  if [[ -n "${TAMAROCK_WAYLAND_SCALE:-}" ]]; then
    window_id="$weston_window"
    wait_for_wayland_window
  else
    window_id="$(timeout 10 xdotool search --sync --pid "$app_pid" --name '^Tamarock$' | head -1)" ||
      fail "no window titled Tamarock appeared"
  fi
  rest_pointer
  sleep "${1:-0.6}"
}

# The pointer rests in a corner, so no hover effect tints what is measured. On
# Wayland weston's screenshots show the pointer, and weston keeps drawing it
# where it last was on the output: it rests on the last pixel, where only its
# tip shows, and shot() paints the corner over.
rest_pointer() {
  if [[ -n "${TAMAROCK_WAYLAND_SCALE:-}" ]]; then
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$window_id" | grep -E '^(WIDTH|HEIGHT)=')"
    xdotool mousemove --window "$window_id" $((WIDTH - 1)) $((HEIGHT - 1))
  else
    xdotool mousemove --window "$window_id" 2 2
  fi
}

stop_app() {
  kill -TERM "$app_pid"
  local status=0
  wait "$app_pid" || status=$?
  [[ $status -eq 0 ]] || fail "exit status $status after SIGTERM"
}

shot() {
  if [[ -n "${TAMAROCK_WAYLAND_SCALE:-}" ]]; then
    # It names its file by the second, in the folder it runs in.
    (cd "$work/shooter" && weston-screenshooter) && mv "$work/shooter"/*.png "$shots/$1.png" ||
      fail "screenshot $1"
    local w h
    read -r w h <<<"$(identify -format '%w %h' "$shots/$1.png")"
    convert "$shots/$1.png" \( +clone -crop 1x1+$((w - 5))+$((h - 5)) -scale 4x4 \) \
      -geometry +$((w - 4))+$((h - 4)) -composite "$shots/$1.png"
  else
    import -window "$window_id" "$shots/$1.png" || fail "screenshot $1"
  fi
  echo "$shots/$1.png"
}

# The colour of one pixel as "r,g,b" (0-255).
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The bounding box "WxH+X+Y" of the pixels of one colour (edge pixels that
# anti-aliasing blended with the background count while they are mostly it).
box_of_colour() {
  convert "$1" -alpha off -fuzz 8% -fill white -opaque "rgb($2)" -fill black +opaque white \
    -format '%@' info:
}

# True when a box is one dot of 64 points (give or take a blended pixel).
is_dot() {
  local side=$((64 * scale))
  [[ "$1" =~ ^([0-9]+)x([0-9]+)\+[0-9]+\+[0-9]+$ ]] || return 1
  ((BASH_REMATCH[1] >= side - 1 && BASH_REMATCH[1] <= side + 1 &&
    BASH_REMATCH[2] >= side - 1 && BASH_REMATCH[2] <= side + 1))
}

# The centre "x y" of a bounding box "WxH+X+Y".
box_centre() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$1"
  echo "$((x + w / 2)) $((y + h / 2))"
}

setting() {
  sed -n "s/^$1=//p" "$settings"
}

# A session bus of the test's own (a real dbus-daemon) with the desktop's
# portal on it, answering colour scheme $1 (1 dark, 2 light) from the stand-in
# program $PORTAL; the program started after it finds it there. Call
# stop_portal before leaving.
start_portal() {
  dbus-daemon --session --nofork --nopidfile --print-address=1 >"$work/bus-address" \
    2>"$work/bus-stderr" &
  bus_pid=$!
  local i
  for i in $(seq 100); do
    [[ -s "$work/bus-address" ]] && break
    sleep 0.05
  done
  DBUS_SESSION_BUS_ADDRESS="$(head -1 "$work/bus-address")"
  [[ -n "$DBUS_SESSION_BUS_ADDRESS" ]] || fail "dbus-daemon did not start"
  export DBUS_SESSION_BUS_ADDRESS
  mkfifo "$work/portal-in"
  "$PORTAL" "$1" <"$work/portal-in" >"$work/portal-out" &
  portal_pid=$!
  # Held open for set_color_scheme; closing it ends the stand-in.
  exec {portal_fd}>"$work/portal-in"
  for i in $(seq 100); do
    grep -q ready "$work/portal-out" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "the portal stand-in did not take its name"
}

# The desktop switches to colour scheme $1 and says so.
set_color_scheme() {
  echo "$1" >&"$portal_fd"
}

stop_portal() {
  [[ -n "${portal_fd:-}" ]] && exec {portal_fd}>&-
  # The program started since holds the stand-in's input open too.
  [[ -n "${portal_pid:-}" ]] && kill "$portal_pid" 2>/dev/null && wait "$portal_pid" 2>/dev/null || true
  [[ -n "${bus_pid:-}" ]] && kill "$bus_pid" 2>/dev/null && wait "$bus_pid" 2>/dev/null || true
  portal_fd="" portal_pid="" bus_pid=""
}
