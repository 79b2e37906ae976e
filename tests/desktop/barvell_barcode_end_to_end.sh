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

. "$(dirname "$0")/desktop_lib.sh"
start_main_window "$work/barvell"

# Client coordinates: below the menu bar; the code group stands 2 pixels from the right
# edge (its controls at their template places inside it).
group_left=$((MW - 192 - 2))
group_top=384
in_group() { click_client $((group_left + $1)) $((group_top + $2)); }

in_group 124 28   # 固定编码
xdotool type --delay 50 690123
in_group 124 52   # 自主编码
xdotool type --delay 50 456789
in_group 48 100   # 计算编码
in_group 144 100  # 生成图片
sleep 1
shoot "$shots/main-window-barcode.png"

# The horizontal ruler (client 32..., 0..32) carries dark ticks and labels.
ruler_dark=$(/usr/bin/convert "$shots/main-window-barcode.png" \
  -crop "500x32+$((MX + 32))+$((MY + MENU))" +repage -threshold 50% -negate \
  -format '%[fx:int(mean*w*h)]' info:)
echo "dark ruler pixels: $ruler_dark"
[ "${ruler_dark:-0}" -ge 300 ] || fail "the ruler has no ticks"

# The colour popup of 线条颜色, shown over the drawing, then closed with Esc (which keeps
# the colour).
click_client $((group_left + 124)) $((158 + 51))
sleep 1
shoot "$shots/colour-popup.png"
xdotool key Escape
sleep 0.5

click_client $((MW - 194 + 96)) 620  # 保存图片
dialog=
for _ in $(seq 1 300); do
  dialog=$(xdotool search --onlyvisible --name '^图片保存$' 2>/dev/null | head -1)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "no save dialog captioned 图片保存"
# Without a window manager nothing gives the new dialog the keyboard.
xdotool windowfocus --sync "$dialog"
sleep 0.5
shoot "$work/dialog.png"
xdotool key ctrl+a
xdotool type --delay 30 "$target"
sleep 0.5  # the name entry's completion settles before Enter
# The name field may take a first Return for its completion; the save writes the file.
for _ in 1 2 3; do
  xdotool key Return
  sleep 1.5
  [ -f "$target" ] && break
done
shoot "$shots/save-message.png"
xdotool key Return  # the message box
sleep 0.5

[ -f "$target" ] || fail "no picture saved at $target"
code=$(zbarimg --quiet --raw "$target" 2>/dev/null)
echo "scanned: $code"
[ "$code" = "6901234567892" ] || fail "the saved picture scans as '$code'"
[ -f "$work/boot.ini" ] || fail "no boot.ini beside the program"
[ -f "$TMPDIR/EN13tem.bmp" ] || fail "no temporary picture"

xdotool key Escape
expect_clean_exit
echo "PASS"
