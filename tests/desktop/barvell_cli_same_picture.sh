#!/bin/bash
# The command line makes the very picture the desktop makes: a product code typed into
# 商品编码, 生成图片 and 保存图片 on the desktop under a virtual X server (xvfb-run), then
# `barvell product` with the same (default) settings; the two files must be byte-identical
# and scan as the code.
#   barvell_cli_same_picture.sh <barvell> <screenshot directory>
set -u
program=$1
shots=$2
mkdir -p "$shots"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/barvell"
mkdir -p "$work/tmp" "$work/out"
export TMPDIR="$work/tmp"
code=4006381333931
desktop="$work/out/desktop.png"
cli="$work/out/cli.png"

. "$(dirname "$0")/desktop_lib.sh"
start_main_window "$work/barvell"

group_left=$((MW - 192 - 2))
group_top=384
in_group() { click_client $((group_left + $1)) $((group_top + $2)); }

in_group 124 129  # 商品编码
xdotool type --delay 50 "$code"
in_group 48 156   # 生成图片 beside it
sleep 1
click_client $((MW - 194 + 96)) 620  # 保存图片
sleep 2
xdotool key ctrl+a
xdotool type --delay 30 "$desktop"
sleep 0.5
# The name field may take a first Return for its completion; the save writes the file.
for _ in 1 2 3; do
  xdotool key Return
  sleep 1.5
  [ -f "$desktop" ] && break
done
xdotool key Return  # 文件保存成功
sleep 0.5
shoot "$shots/desktop-product.png"
xdotool key Escape
expect_clean_exit

[ -f "$desktop" ] || fail "the desktop saved nothing at $desktop"
"$work/barvell" product "$code" -o "$cli" > "$work/cli.txt" 2>&1 || fail "barvell product: $(cat "$work/cli.txt")"
cmp "$desktop" "$cli" || fail "the command line's picture differs from the desktop's"
scanned=$(zbarimg --quiet --raw "$cli" 2>/dev/null)
[ "$scanned" = "$code" ] || fail "the picture scans as '$scanned'"
echo "PASS: $(stat -c %s "$cli") bytes, identical"
