#!/bin/bash
# Desktop check of both batch windows, run under a virtual X server (xvfb-run): each window
# opens from its main-window button, lists a few hundred codes, takes its storage folder
# from the native folder chooser and saves one picture per code. Two screenshots taken
# during a run, at different codes (more files written at the second), show the window's
# buttons disabled; a third after the run shows them enabled again and the last code on
# the preview. Every file is named after its code and a
# sample decodes with zbarimg. The screenshots are left for people to look at.
#   barvell_batch_windows.sh <barvell> <screenshot directory>
set -u
program=$1
shots=$2
count=${BATCH_COUNT:-999}
mkdir -p "$shots"
out=$(mktemp -d)
pictures=$out/pictures
mkdir -p "$pictures" "$out/home/.config/gtk-3.0"
echo "file://$pictures" > "$out/home/.config/gtk-3.0/bookmarks"
export HOME=$out/home
pid=
fail() {
  echo "FAIL: $*"
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

click() {  # screen x, y
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}
type_at() {  # screen x, y, text
  click "$1" "$2"
  xdotool type --delay 20 "$3"
}
crop() {  # picture, geometry -> a text fingerprint of the pixels there
  /usr/bin/convert "$1" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
files() { find "$pictures" -maxdepth 1 -type f -name "$1" | wc -l; }

"$program" &
pid=$!
main=
for _ in $(seq 1 100); do
  main=$(xdotool search --onlyvisible --name '^Barvell$' 2>/dev/null | head -1)
  [ -n "$main" ] && break
  kill -0 "$pid" 2>/dev/null || fail "barvell ended before its window appeared"
  sleep 0.1
done
[ -n "$main" ] || fail "no main window"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
MX=$X MY=$Y
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
  for _ in $(seq 1 600); do
    [ "$(files "$1")" -ge "$2" ] && return
    sleep 0.05
  done
}

# One window's run: open it, fill it, list, choose the folder, save, watch.
#   run_batch <name> <file pattern> <main button y> <list step...>
run_batch() {
  local name=$1 pattern=$2
  click $((MX + 759)) $((MY + $3))
  sleep 1.5
  shift 3
  "$@"
  choose_folder
  /usr/bin/import -window root "$shots/${name}_listed.png"
  click $((BX + 289)) $((BY + 196))  # 批量生成
  # The screenshots follow the run's own pace: the first once pictures are being written,
  # the second a few codes later, both well before the end.
  wait_files "$pattern" 1
  # Counted as the screen is grabbed (writing the picture file takes longer).
  local during=$(files "$pattern")
  /usr/bin/import -window root "$shots/${name}_running_1.png"
  wait_files "$pattern" $((during + 10))
  local later=$(files "$pattern")
  /usr/bin/import -window root "$shots/${name}_running_2.png"
  for _ in $(seq 1 600); do
    [ "$(files "$pattern")" -ge "$count" ] && break
    sleep 0.1
  done
  sleep 1
  /usr/bin/import -window root "$shots/${name}_done.png"
  local written=$(files "$pattern")
  echo "$name: $during files at the first screenshot, $later at the second, $written at the end"
  [ "$during" -lt "$later" ] && [ "$later" -lt "$count" ] ||
    fail "$name: the screenshots were not taken at two codes of the run"
  [ "$written" -eq "$count" ] || fail "$name: $written files instead of $count"
  # The preview shows the last code once the run is over.
  local panel=170x90+$((MX + 32))+$((MY + 57))
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
  type_at $((BX + 314)) $((BY + 37)) 690123456
  type_at $((BX + 314)) $((BY + 84)) 001
  type_at $((BX + 314)) $((BY + 110)) $count
  click $((BX + 288)) $((BY + 140))  # 计算编码
}
code39_list() {
  type_at $((BX + 316)) $((BY + 12)) 'AT?n3?'
  type_at $((BX + 316)) $((BY + 60)) 1
  type_at $((BX + 316)) $((BY + 84)) $count
  type_at $((BX + 316)) $((BY + 108)) 1
  click $((BX + 289)) $((BY + 140))  # 生成编码信息
}

run_batch product '690123456*.PNG' 564 product_list
run_batch code39 'AT*.PNG' 616 code39_list

for code in 6901234560015 6901234561500 6901234563009; do
  [ -f "$pictures/$code.PNG" ] || fail "no $code.PNG"
done
for n in 001 150 300; do
  [ -f "$pictures/AT$n.PNG" ] || fail "no AT$n.PNG"
done
if command -v zbarimg >/dev/null; then
  for f in 6901234560015 6901234561500; do
    read=$(zbarimg -q "$pictures/$f.PNG" 2>/dev/null)
    [ "$read" = "EAN-13:$f" ] || fail "$f.PNG reads as '$read'"
  done
  for f in AT001 AT300; do
    read=$(zbarimg -q "$pictures/$f.PNG" 2>/dev/null)
    [ "$read" = "CODE-39:$f" ] || fail "$f.PNG reads as '$read'"
  done
fi

/usr/bin/import -window root "$shots/main_window.png"
click $((MX + 780)) $((MY + 591))  # the CODE39 box: the main window takes the keys
xdotool key Escape  # closes the main window
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Esc"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
rm -rf "$out"
echo "PASS"
