#!/usr/bin/env bash
# Connect shows four to six grey dots and one grey line running from the
# centre of one dot to the centre of another.
set -euo pipefail
TAMAROCK="$1"
source "$(dirname "$0")/lib.sh"
setup_home
mkdir -p "$(dirname "$settings")"
printf '[Defaults]\nFirstLaunch=false\nCurrentAction=3\nRandomColors=false\n' >"$settings"
grey="142,142,147"

# Dots may lie as close as their spacing allows, so the visible part of the
# line between two of them can be a few points long, and a third dot may cover
# most of it. Such a board says nothing about the line: the test looks at a
# fresh board instead, a few times at most.
for board_number in 1 2 3 4 5; do
  start_app 0.8
  board="$(shot "connect-board-$board_number")"
  stop_app
  mask="$shots/grey-mask-$board_number.png"
  convert "$board" -alpha off -fuzz 8% -fill black +opaque "rgb($grey)" -fill white -opaque "rgb($grey)" \
    "$mask"
  # Opening with a disc wider than the line and narrower than a dot keeps only the dots.
  convert "$mask" -morphology Open Disk:18 "$shots/dots-$board_number.png"
  # Where the line meets a dot at a slant the opening keeps a little of it, so
  # the centres come from the dots worn down to their cores instead.
  centres="$(convert "$mask" -morphology Erode Disk:20 \
    -define connected-components:verbose=true -define connected-components:area-threshold=100 \
    -connected-components 8 null: | awk 'NR>1 && $NF=="gray(255)" {print $3}')"
  dots="$(wc -l <<<"$centres")"
  [[ "$dots" -ge 4 && "$dots" -le 6 ]] || fail "expected 4 to 6 dots, found $dots"
  # What the opening took away is the visible part of the line.
  convert "$mask" "$shots/dots-$board_number.png" -compose difference -composite \
    -transparent black sparse-color: | tr ' ' '\n' | cut -d, -f1,2 >"$work/line.txt"
  convert "$mask" -transparent black sparse-color: | tr ' ' '\n' | cut -d, -f1,2 >"$work/grey.txt"
  # The line is there when, for some pair of dots, every grey pixel off the dots
  # lies on the band between their centres and that band is grey all along.
  verdict="$(width="$(identify -format '%w' "$board")" awk -F, '
    FILENAME == "-" { n++; cx[n] = $1; cy[n] = $2; next }
    FILENAME ~ /grey/ { grey[$1 "," $2] = 1; next }
    {
      # The opening also trims the rim of every dot by a pixel or two.
      for (i = 1; i <= n; i++) if (($1 - cx[i]) ^ 2 + ($2 - cy[i]) ^ 2 <= 36 ^ 2) next
      lx[++m] = $1; ly[m] = $2
    }
    END {
      half = 0.02 * ENVIRON["width"] / 2 + 2
      for (i = 1; i < n; i++) for (j = i + 1; j <= n; j++) {
        dx = cx[j] - cx[i]; dy = cy[j] - cy[i]; len = sqrt(dx * dx + dy * dy)
        on = 1
        for (k = 1; k <= m && on; k++) {
          t = ((lx[k] - cx[i]) * dx + (ly[k] - cy[i]) * dy) / (len * len)
          d = ((lx[k] - cx[i]) * dy - (ly[k] - cy[i]) * dx) / len
          if (t < 0 || t > 1 || d > half || d < -half) on = 0
        }
        for (s = 0; s <= len && on; s += 2) {
          x = int(cx[i] + dx * s / len + 0.5); y = int(cy[i] + dy * s / len + 0.5)
          if (!((x "," y) in grey)) on = 0
        }
        if (on) { print (m >= 200 ? "line" : "unclear"); exit }
      }
      print "none"
    }' - "$work/grey.txt" "$work/line.txt" <<<"$centres")"
  case "$verdict" in
    line)
      echo "PASS Connect shows $dots dots and a line between two of them ($shots)"
      exit 0
      ;;
    none) fail "no straight line between two dots on board $board_number" ;;
  esac
done
fail "the line was too short to see on five boards in a row"
