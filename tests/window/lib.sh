# Helpers for driving the real program under Xvfb like a person would.
# Sourced by the scenario scripts; $TAMAROCK is the program under test.

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
}

start_app() {
  # The program asks its site for a newer build a second in. The tests must not
  # depend on what the real site says, so its requests go to a closed port.
  https_proxy=http://127.0.0.1:9 http_proxy=http://127.0.0.1:9 no_proxy= \
    "$TAMAROCK" 2>"$work/stderr" &
  app_pid=$!
  window_id="$(timeout 10 xdotool search --sync --pid "$app_pid" --name '^Tamarock$' | head -1)" ||
    fail "no window titled Tamarock appeared"
  # The pointer rests in a corner, so no hover effect tints what is measured.
  xdotool mousemove --window "$window_id" 2 2
  sleep "${1:-0.6}"
}

stop_app() {
  kill -TERM "$app_pid"
  local status=0
  wait "$app_pid" || status=$?
  [[ $status -eq 0 ]] || fail "exit status $status after SIGTERM"
}

shot() {
  import -window "$window_id" "$shots/$1.png" || fail "screenshot $1"
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
  [[ "$1" =~ ^6[345]x6[345]\+[0-9]+\+[0-9]+$ ]]
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
