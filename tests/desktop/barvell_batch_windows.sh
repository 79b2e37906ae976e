#!/bin/bash
# Desktop check of both batch windows, run under a virtual X server (xvfb-run): each window
# opens from its main-window button, lists 9,999 codes, takes its storage folder
# from the native folder chooser and saves one picture per code. Two screenshots taken
# during a run, at different codes (more files written at the second), show the window's
# buttons disabled and, on the preview, two different codes of the run, which zbarimg
# reads off the screen; a third after the run shows the buttons enabled again and the last
# code on the preview. Every file is named after its code and a sample decodes with
# zbarimg. The screenshots are left for people to look at.
#   barvell_batch_windows.sh <barvell> <screenshot directory>
set -u
program=$1
shots=$2
# Four-digit self parts and formula numbers: enough codes that a run outlasts two
# screenshots (a thousand take about a second).
count=${BATCH_COUNT:-9999}
last=$(printf '%04d' "$count")
mkdir -p "$shots"
out=$(mktemp -d)
pictures=$out/pictures
mkdir -p "$pictures" "$out/home/.config/gtk-3.0"
echo "file://$pictures" > "$out/home/.config/gtk-3.0/bookmarks"
export HOME=$out/home
. "$(dirname "$0")/desktop_lib.sh"
files() { find "$pictures" -maxdepth 1 -type f -name "$1" | wc -l; }

start_main_window "$program"
eval "$(xdotool getdisplaygeometry --shell)"
# Batch windows are 393 x 241 and centred on the screen.
BX=$(( (WIDTH - 393) / 2 )) BY=$(( (HEIGHT - 241) / 2 ))

# The native folder chooser, on a 1280 x 900 screen: the pictures folder is the bookmark
# below the program's own folder in its side bar; "Open" takes it.
choose_folder() {
  click $((BX + 375)) $((BY + 171))  # ..
  sleep 1.5
  click 146 221
  sleep 1
  click 1138 841
  sleep 1
}

# Waits until at least <n> files match the pattern (at most 30 s).
wait_files() {
  for _ in $(seq 1 1800); do
    [ "$(files "$1")" -ge "$2" ] && return
    sleep 0.05
  done
}

# One window's run: open it, fill it, list, choose the folder, save, watch.
#   run_batch <name> <file pattern> <code check> <main button y> <list step...>
run_batch() {
  local name=$1 pattern=$2 is_code=$3
  click $((MX + 759)) $((MY + $4))
  sleep 1.5
  shift 4
  "$@"
  choose_folder
  shoot "$shots/${name}_listed.png"
  click $((BX + 289)) $((BY + 196))  # 批量生成
  # The screenshots follow the run's own pace: the first once pictures are being written,
  # the second a few codes later, both well before the end.
  wait_files "$pattern" 1
  # Counted as the screen is grabbed (writing the picture file takes longer).
  local during=$(files "$pattern")
  shoot "$shots/${name}_running_1.png"
  wait_files "$pattern" $((during + 10))
  local later=$(files "$pattern")
  shoot "$shots/${name}_running_2.png"
  for _ in $(seq 1 1800); do
    [ "$(files "$pattern")" -ge "$count" ] && break
    sleep 0.1
  done
  sleep 1
  shoot "$shots/${name}_done.png"
  local written=$(files "$pattern")
  echo "$name: $during files at the first screenshot, $later at the second, $written at the end"
  [ "$during" -lt "$later" ] && [ "$later" -lt "$count" ] ||
    fail "$name: the screenshots were not taken at two codes of the run"
  [ "$written" -eq "$count" ] || fail "$name: $written files instead of $count"
  # During the run the preview shows the codes as they pass: each screenshot's preview
  # scans as a code of this run, and the two are different codes.
  local panel=512x224+$((MX + 32))+$((MY + MENU + 32)) shown_1 shown_2
  shown_1=$(scan_region "$shots/${name}_running_1.png" "$panel")
  shown_2=$(scan_region "$shots/${name}_running_2.png" "$panel")
  echo "$name: the preview reads '$shown_1' at the first screenshot, '$shown_2' at the second"
  "$is_code" "$shown_1" || fail "$name: the preview during the run shows no code of it"
  "$is_code" "$shown_2" || fail "$name: the preview later in the run shows no code of it"
  [ "$shown_1" != "$shown_2" ] || fail "$name: the preview stood still during the run"
  # The preview shows the last code once the run is over.
  [ "$(crop "$shots/${name}_running_2.png" "$panel")" != "$(crop "$shots/${name}_done.png" "$panel")" ] ||
    fail "$name: no code on the preview after the run"
  # The batch window's buttons look disabled during the run and enabled after it.
  local buttons=190x60+$((BX + 193))+$((BY + 126))
  [ "$(crop "$shots/${name}_running_2.png" "$buttons")" != "$(crop "$shots/${name}_done.png" "$buttons")" ] ||
    fail "$name: the buttons look the same during and after the run"
  click $((BX + 306)) $((BY + 172))  # the 存放目录 box: the window takes the keys
  xdotool key Escape  # closes the batch window
  sleep 1
}

product_list() {
  type_at $((BX + 314)) $((BY + 37)) 69012345
  type_at $((BX + 314)) $((BY + 84)) 0001
  type_at $((BX + 314)) $((BY + 110)) $last
  click $((BX + 288)) $((BY + 140))  # 计算编码
}
code39_list() {
  type_at $((BX + 316)) $((BY + 12)) 'AT?n4?'
  type_at $((BX + 316)) $((BY + 60)) 1
  type_at $((BX + 316)) $((BY + 84)) $count
  type_at $((BX + 316)) $((BY + 108)) 1
  click $((BX + 289)) $((BY + 140))  # 生成编码信息
}

# What zbarimg reads is one of the run's codes: the self part within the range (the
# reader has checked the check digit), or the formula's number within it.
product_code() {
  [[ $1 =~ ^EAN-13:69012345([0-9]{4})[0-9]$ ]] &&
    (( 10#${BASH_REMATCH[1]} >= 1 && 10#${BASH_REMATCH[1]} <= count ))
}
code39_code() {
  [[ $1 =~ ^CODE-39:AT([0-9]{4})$ ]] &&
    (( 10#${BASH_REMATCH[1]} >= 1 && 10#${BASH_REMATCH[1]} <= count ))
}

run_batch product '69012345*.PNG' product_code 564 product_list
run_batch code39 'AT*.PNG' code39_code 616 code39_list

for code in 6901234500011 6901234515008 6901234530001; do
  [ -f "$pictures/$code.PNG" ] || fail "no $code.PNG"
done
for n in 0001 1500 3000; do
  [ -f "$pictures/AT$n.PNG" ] || fail "no AT$n.PNG"
done
if command -v zbarimg >/dev/null; then
  for f in 6901234500011 6901234515008; do
    read=$(zbarimg -q "$pictures/$f.PNG" 2>/dev/null)
    [ "$read" = "EAN-13:$f" ] || fail "$f.PNG reads as '$read'"
  done
  for f in AT0001 AT3000; do
    read=$(zbarimg -q "$pictures/$f.PNG" 2>/dev/null)
    [ "$read" = "CODE-39:$f" ] || fail "$f.PNG reads as '$read'"
  done
fi

shoot "$shots/main_window.png"
click $((MX + 780)) $((MY + 591))  # the CODE39 box: the main window takes the keys
xdotool key Escape  # closes the main window
expect_clean_exit
rm -rf "$out"
echo "PASS"
