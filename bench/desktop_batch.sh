#!/bin/bash
# The product-code batch on the desktop against the same batch on the command line, on
# this machine: COUNT codes (1000 by default) of the fixed code 690123456, REPEAT runs each,
# in turns.
# The desktop run is clicked through under a virtual X server as a person does it (codes
# computed, the storage folder typed, 批量生成 clicked) and timed from the click until the
# last code's picture exists; the command line's `barvell batch-ean13` is timed whole.
# Prints the medians, codes per second and the desktop's time over the command line's.
#   desktop_batch.sh BARVELL [COUNT] [REPEAT]
set -u
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x900x24' "$0" "$@"
fi
barvell=$(realpath "$1")
count=${2:-1000}
repeat=${3:-3}
[ "$count" -ge 1 ] && [ "$count" -le 1000 ] || { echo "COUNT is 1 to 1000"; exit 2; }
here=$(dirname "$(realpath "$0")")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A private copy of the program (its boot.ini goes beside it), so that both runs draw with
# the default settings, and a private temporary folder.
cp "$barvell" "$work/barvell"
export TMPDIR="$work/tmp" HOME="$work/home"
mkdir -p "$TMPDIR" "$HOME" "$work/out"
out=$work/out

fixed=690123456
first=000
last=$(printf '%03d' $((count - 1)))
# The last code's picture marks the end of a run (the list is saved in order).
check_digit() {  # 12 digits
  local sum=0 i
  for i in $(seq 0 11); do sum=$((sum + ${1:i:1} * (i % 2 ? 3 : 1))); done
  echo $(((10 - sum % 10) % 10))
}
last_file=$out/$fixed$last$(check_digit "$fixed$last").PNG

now() { date +%s.%N; }
# The CPU seconds (user and system) a process has used so far.
cpu_of() { awk -v t="$(getconf CLK_TCK)" '{printf "%.3f", ($14 + $15) / t}' "/proc/$1/stat"; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", b - a}'; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
written() { find "$out" -maxdepth 1 -type f | wc -l; }

# --- the desktop, set up once ----------------------------------------------------------
. "$here/../tests/desktop/desktop_lib.sh"
start_main_window "$work/barvell" 2>/dev/null
eval "$(xdotool getdisplaygeometry --shell)"
BX=$(( (WIDTH - 393) / 2 )) BY=$(( (HEIGHT - 241) / 2 ))  # the batch window, centred
click $((MX + 759)) $((MY + 564))  # 批量生成 under 商品编码
sleep 1.5
type_at $((BX + 314)) $((BY + 37)) "$fixed"
type_at $((BX + 314)) $((BY + 84)) "$first"
type_at $((BX + 314)) $((BY + 110)) "$last"
click $((BX + 288)) $((BY + 140))  # 计算编码
type_at $((BX + 306)) $((BY + 172)) "$out"  # 存放目录
# Waiting without starting a process each time, which would take the CPU from the run.
exec {pause}<> <(:)

# One run of each: the command line's timed whole, then the desktop's from the click until
# the last picture exists. Taken in turns, so that both meet the machine in the same state.
cli_run() {
  rm -f "$out"/*
  local start
  start=$(now)
  /usr/bin/time -f "%U %S" -o "$work/cpu" "$work/barvell" batch-ean13 --fixed "$fixed" \
    --start "$first" --end "$last" --dir "$out" > "$work/cli.txt" 2>&1 ||
    fail "barvell batch-ean13: $(tail -3 "$work/cli.txt")"
  cli_runs+=("$(elapsed "$start" "$(now)")")
  cli_cpu+=("$(awk '{printf "%.3f", $1 + $2}' "$work/cpu")")
  [ "$(written)" -eq "$count" ] || fail "the command line wrote $(written) files, not $count"
}
desktop_run() {
  rm -f "$out"/*
  xdotool mousemove $((BX + 289)) $((BY + 196))  # 批量生成
  sleep 0.3
  local start cpu_start
  start=$(now) cpu_start=$(cpu_of "$pid")
  xdotool click 1
  for _ in $(seq 1 30000); do
    [ -f "$last_file" ] && break
    read -r -t 0.01 -u "$pause" || true
  done
  desktop_runs+=("$(elapsed "$start" "$(now)")")
  desktop_cpu+=("$(elapsed "$cpu_start" "$(cpu_of "$pid")")")
  [ -f "$last_file" ] || fail "the desktop did not finish within five minutes"
  sleep 1  # the run's last picture, and the buttons back
  [ "$(written)" -eq "$count" ] || fail "the desktop wrote $(written) files, not $count"
}
cli_runs=() cli_cpu=() desktop_runs=() desktop_cpu=()
for _ in $(seq 1 "$repeat"); do
  cli_run
  desktop_run
done

cli=$(printf '%s\n' "${cli_runs[@]}" | median)
desktop=$(printf '%s\n' "${desktop_runs[@]}" | median)
cli_c=$(printf '%s\n' "${cli_cpu[@]}" | median)
desktop_c=$(printf '%s\n' "${desktop_cpu[@]}" | median)
rate() { awk -v c="$count" -v s="$1" 'BEGIN {printf "%.0f", c / (s > 0 ? s : 0.001)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "$count codes, median of $repeat runs, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-26s %8s s wall %6s codes/s %8s s CPU   (wall: %s)\n' "batch-ean13 (headless)" "$cli" \
  "$(rate "$cli")" "$cli_c" "${cli_runs[*]}"
printf '%-26s %8s s wall %6s codes/s %8s s CPU   (wall: %s)\n' "desktop (Xvfb)" "$desktop" \
  "$(rate "$desktop")" "$desktop_c" "${desktop_runs[*]}"
echo "desktop / headless: $(ratio "$desktop" "$cli") wall, $(ratio "$desktop_c" "$cli_c") CPU" \
     "(the headless times include start-up; the desktop's CPU is the program's, not the X server's)"

click $((BX + 306)) $((BY + 172))  # the 存放目录 box: the batch window takes the keys
xdotool key Escape
sleep 1
click_client 780 566  # the CODE39 box: the main window takes the keys
xdotool key Escape
expect_clean_exit
