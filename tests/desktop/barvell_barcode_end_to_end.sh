#!/bin/bash
# A barcode made, drawn and saved on the desktop as a person does it, under a virtual X
# server (xvfb-run): the codes typed, 计算编码 and 生成图片 clicked, 保存图片 answered in
# the native save dialog, the success message confirmed, Esc. The saved picture must scan
# as the code meant. The program runs from a private copy of its directory (its boot.ini
# goes there) with a private temporary directory.
#   barvell_barcode_end_to_end.sh <barvell> <screenshot directory>
set -u
program=$1
shots=$2
mkdir -p "$shots"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/barvell"
mkdir -p "$work/tmp"
export TMPDIR="$work/tmp"
target="$work/out/barcode.png"
mkdir -p "$work/out"

"$work/barvell" &
pid=$!
fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null
  exit 1
}

window=
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Barvell$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "barvell ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no visible window named Barvell"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"

# Client coordinates: below the menu bar; the code group stands 2 pixels from the right
# edge (its controls at their template places inside it).
menu=25
group_left=$((WIDTH - 192 - 2))
group_top=384
click_at() {  # client x, y
  xdotool mousemove $((X + $1)) $((Y + menu + $2)) click 1
  sleep 0.3
}
in_group() { click_at $((group_left + $1)) $((group_top + $2)); }

in_group 124 28   # 固定编码
xdotool type --delay 50 690123
in_group 124 52   # 自主编码
xdotool type --delay 50 456789
in_group 48 100   # 计算编码
in_group 144 100  # 生成图片
sleep 1
/usr/bin/import -window root "$shots/main-window-barcode.png" || fail "no screenshot"

# The horizontal ruler (client 32..., 0..32) carries dark ticks and labels.
ruler_dark=$(/usr/bin/convert "$shots/main-window-barcode.png" \
  -crop "500x32+$((X + 32))+$((Y + menu))" +repage -threshold 50% -negate \
  -format '%[fx:int(mean*w*h)]' info:)
echo "dark ruler pixels: $ruler_dark"
[ "${ruler_dark:-0}" -ge 300 ] || fail "the ruler has no ticks"

# The colour popup of 线条颜色, shown over the drawing, then closed with Esc (which keeps
# the colour).
click_at $((group_left + 124)) $((158 + 51))
sleep 1
/usr/bin/import -window root "$shots/colour-popup.png"
xdotool key Escape
sleep 0.5

click_at $((WIDTH - 194 + 96)) 620  # 保存图片
sleep 2  # the native save dialog opens
/usr/bin/import -window root "$work/dialog.png"
xdotool key ctrl+a
xdotool type --delay 30 "$target"
sleep 0.5
# The name field may take a first Return for its completion; the save writes the file.
for _ in 1 2 3; do
  xdotool key Return
  sleep 1.5
  [ -f "$target" ] && break
done
/usr/bin/import -window root "$shots/save-message.png"
xdotool key Return  # the message box
sleep 0.5

[ -f "$target" ] || fail "no picture saved at $target"
code=$(zbarimg --quiet --raw "$target" 2>/dev/null)
echo "scanned: $code"
[ "$code" = "6901234567892" ] || fail "the saved picture scans as '$code'"
[ -f "$work/boot.ini" ] || fail "no boot.ini beside the program"
[ -f "$TMPDIR/EN13tem.bmp" ] || fail "no temporary picture"

xdotool key Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Esc"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
