#!/usr/bin/env bash
# Connect shows four to six grey dots and a grey line between two of them.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=3\nRandomColors=false\n' >"$settings"
grey="142,142,147"

start_app 0.8
board="$(shot connect-board)"
mask="$shots/grey-mask.png"
convert "$board" -alpha off -fuzz 8% -fill black +opaque "rgb($grey)" -fill white -opaque "rgb($grey)" \
  "$mask"
# Opening with a disc wider than the line and narrower than a dot keeps only the dots.
dots="$(convert "$mask" -morphology Open Disk:18 \
  -define connected-components:verbose=true -define connected-components:area-threshold=1500 \
  -connected-components 8 null: | awk 'NR>1 && $NF=="gray(255)"' | wc -l)"
[[ "$dots" -ge 4 && "$dots" -le 6 ]] || fail "expected 4 to 6 dots, found $dots"
# What the opening took away is the line: a long grey band.
line="$(convert "$mask" \( "$mask" -morphology Open Disk:18 \) -compose difference -composite \
  -format '%[fx:int(mean*w*h)]' info:)"
[[ "$line" -gt 2000 ]] || fail "no line between the dots ($line grey pixels off the dots)"
stop_app
echo "PASS Connect shows $dots dots and a line ($shots)"
