#!/bin/bash
# Batch throughput, measured in one run on this machine: barvell's batches (10,000 codes by
# default) at the default settings and at 600 dpi, zint's batch mode for the same codes at
# 3 and 7 pixels a module, Code 39 in both, the floor that the batch's own file work
# sets, and the batch's own system calls for a code replayed alone. Each is run REPEAT
# times; the medians are printed with codes per second, the ratios to zint and to the
# floor, the time a code takes beyond those system calls, and the peak memory. The table
# is made twice: with the files on the disk's file system, then on tmpfs (/dev/shm), where
# creating a file costs no inode search, so that what the tools' own work costs is seen
# apart from the disk's.
#   batch_throughput.sh BARVELL FILE_FLOOR [COUNT] [REPEAT]
set -euo pipefail
barvell=$(realpath "$1")
floor=$(realpath "$2")
count=${3:-10000}
repeat=${4:-3}
command -v zint >/dev/null || { echo "zint is not installed (scripts/install-deps)"; exit 2; }

work=$(mktemp -d)
shm=$(mktemp -d /dev/shm/barvell-bench.XXXXXX)
trap 'rm -rf "$work" "$shm"' EXIT

# The codes: the fixed part 6901234 and 5-digit self parts, 12 digits before the check
# digit (up to 100,000 codes).
[ "$count" -le 100000 ] || { echo "at most 100000 codes"; exit 2; }
fixed=6901234
end=$(printf '%05d' $((count - 1)))
seq -f "${fixed}%05.0f" 0 $((count - 1)) > "$work/ean12.txt"
seq -f "AT%05.0f" 1 "$count" > "$work/code39.txt"

# One timed run: wall seconds and peak resident KB on the last line of the time file.
# Every run writes into a directory of its own, all removed at the end: ext4 without a
# journal does not reuse an inode freed in the last minute, so deleting a run's 10,000
# files just before the next run makes that run's every file creation scan past them
# (which once made each tool five to ten times slower than on a quiet file system).
runs=0
timed() {  # name, command...
  local name=$1
  shift
  runs=$((runs + 1))
  local out="$files_in/out.$runs"
  mkdir -p "$out"
  (cd "$out" && /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err") ||
    { echo "$name failed: $(tail -3 "$work/err")"; exit 1; }
  local files
  files=$(find "$out" -type f | wc -l)
  [ "$files" -eq "$count" ] || { echo "$name wrote $files files, not $count"; exit 1; }
  tail -1 "$work/time"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -A rate memory
measure() {  # key, label, command...
  local key=$1 label=$2
  shift 2
  local walls=() mems=()
  for _ in $(seq 1 "$repeat"); do
    timed "$label" "$@" > "$work/one" || { cat "$work/one"; exit 1; }
    read -r wall mem < "$work/one"
    walls+=("$wall")
    mems+=("$mem")
  done
  local w m
  w=$(printf '%s\n' "${walls[@]}" | median)
  m=$(printf '%s\n' "${mems[@]}" | median)
  rate[$key]=$(awk -v c="$count" -v w="$w" 'BEGIN {printf "%.0f", c / (w > 0 ? w : 0.001)}')
  memory[$key]=$((m / 1024))
  printf '%-28s %8s s  %7s codes/s  %5s MB\n' "$label" "$w" "${rate[$key]}" "${memory[$key]}"
}

echo "$count codes, median of $repeat runs, $(nproc) cores, $(uname -r), load $(cut -d' ' -f1-3 /proc/loadavg)"

# One table, every file (the temporary directory's too) under the directory given.
table() {  # directory, title
  files_in=$1
  export TMPDIR="$files_in/tmp"
  mkdir -p "$TMPDIR"
  echo
  echo "$2"
  measure b300 "barvell ean13 300 dpi" "$barvell" batch-ean13 --fixed "$fixed" --start 00000 --end "$end" --dir .
  measure z3 "zint ean13 3 px" zint -b 13 --batch --scale=1.5 --filetype=png --mirror -i "$work/ean12.txt"
  measure b600 "barvell ean13 600 dpi" "$barvell" batch-ean13 --fixed "$fixed" --start 00000 --end "$end" \
    --set dpi=600 --dir .
  measure z7 "zint ean13 7 px" zint -b 13 --batch --scale=3.5 --filetype=png --mirror -i "$work/ean12.txt"
  measure c300 "barvell code39 300 dpi" "$barvell" batch-code39 --formula 'AT?n5?' --start 1 --end "$count" \
    --step 1 --dir .
  measure zc "zint code39 3 px" zint -b 8 --batch --scale=1.5 --filetype=png --mirror -i "$work/code39.txt"

  # The floor program's median rate over REPEAT runs, each in a directory of its own.
  floor_rate() {  # key, label, floor mode...
    local key=$1 label=$2
    shift 2
    local rates=()
    for i in $(seq 1 "$repeat"); do
      mkdir -p "$files_in/$key.$runs.$i"
      rates+=("$("$floor" "$files_in/$key.$runs.$i" "$count" "$@")")
    done
    rate[$key]=$(printf '%s\n' "${rates[@]}" | median)
    printf '%-28s %8s    %7s codes/s\n' "$label" "" "${rate[$key]}"
  }
  floor_rate floor "file-work floor"
  # The very system calls the batch makes for a code, with the bytes ready made.
  floor_rate calls "batch's system calls alone" calls

  ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
  echo
  echo "barvell / zint:  ean13 300 dpi $(ratio "${rate[b300]}" "${rate[z3]}")," \
       "ean13 600 dpi $(ratio "${rate[b600]}" "${rate[z7]}")," \
       "code39 $(ratio "${rate[c300]}" "${rate[zc]}")"
  echo "floor / barvell: ean13 300 dpi $(ratio "${rate[floor]}" "${rate[b300]}")," \
       "code39 $(ratio "${rate[floor]}" "${rate[c300]}")"
  # Microseconds a code beyond the batch's own system calls: what the program spends now,
  # and what 1.5 times zint's rate would leave it.
  beyond() { awk -v r="$1" -v c="${rate[calls]}" 'BEGIN {printf "%.0f", 1e6 / r - 1e6 / c}'; }
  echo "us a code beyond the system calls, barvell now / at 1.5 x zint:" \
       "ean13 300 dpi $(beyond "${rate[b300]}") / $(beyond "$(awk -v z="${rate[z3]}" 'BEGIN {print 1.5 * z}')")," \
       "code39 $(beyond "${rate[c300]}") / $(beyond "$(awk -v z="${rate[zc]}" 'BEGIN {print 1.5 * z}')")"
}

table "$work" "files on $(df --output=fstype "$work" | tail -1) ($work)"
table "$shm" "files on tmpfs ($shm)"
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
# The memory passes a code asks for (panel clear, BMP built, its rows compared), bare.
passes=$(dirname "$floor")/barvell_memory_passes
if [ -x "$passes" ]; then
  passes_runs=()
  for _ in $(seq 1 "$repeat"); do passes_runs+=("$("$passes")"); done
  echo "memory passes of a code alone: $(printf '%s\n' "${passes_runs[@]}" | median) us"
fi
export TMPDIR="$work"

# Computing a list of 100,000 codes in each batch window, without saving: the whole run of
# the program (start-up included) as a person's clicks.
list_script() {  # window button, window caption, input actions...
  local button=$1 caption=$2
  shift 2
  printf 'click %s\nwindow %s\n' "$button" "$caption"
  printf '%s\n' "$@"
  printf 'close\nwindow Barvell\nclose\n'
}
list_script 按钮7 商品编码 "type 编辑框1 6901234" "type 编辑框2 00000" "type 编辑框3 99999" \
  "click 计算编码" > "$work/list-ean13.txt"
list_script 按钮8 CODE39批量编码 "paste 编辑框6 AT?n5?" "paste 编辑框1 1" "paste 编辑框2 100000" \
  "paste 编辑框3 1" "click 生成编码信息" > "$work/list-code39.txt"
echo
for window in ean13 code39; do
  /usr/bin/time -f "%e %M" -o "$work/time" "$barvell" script "$work/list-$window.txt" >/dev/null
  read -r wall mem < "$work/time"
  printf '100,000-code list, %-7s %6s s  %5s MB (whole run)\n' "$window" "$wall" "$((mem / 1024))"
done

# Memory over a long batch (FLAT=1): peak resident memory for 1,000, 10,000 and 100,000
# codes and the last against the first; and the 100,000-code run's resident memory sampled
# every half second from its first picture on (after the list is built), whose spread shows
# whether anything grows per code.
if [ "${FLAT:-0}" = 1 ]; then
  declare -A peak
  for n in 1000 10000 100000; do
    out="$work/flat.$n"
    mkdir -p "$out"
    (cd "$out" && exec /usr/bin/time -f "%e %M" -o "$work/time" "$barvell" batch-ean13 \
      --fixed "$fixed" --start 00000 --end "$(printf '%05d' $((n - 1)))" --dir . >/dev/null) &
    timer=$!
    samples=()
    if [ "$n" = 100000 ]; then
      sleep 0.1
      pid=$(pgrep -P "$timer" | head -1 || true)
      while [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; do
        if [ -n "$(find "$out" -maxdepth 1 -name '*.PNG' -print -quit)" ]; then
          rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
          [ -n "$rss" ] && samples+=("$rss")
        fi
        sleep 0.5
      done
    fi
    wait "$timer"
    read -r wall mem < "$work/time"
    peak[$n]=$mem
    printf 'flatness: %6d codes  %7s s  %6s KB peak\n' "$n" "$wall" "$mem"
  done
  echo "flatness: 100,000 / 1,000 codes peak $(ratio "${peak[100000]}" "${peak[1000]}")"
  if [ "${#samples[@]}" -gt 0 ]; then
    sorted=$(printf '%s\n' "${samples[@]}" | sort -n)
    echo "flatness: 100,000 codes after the list: ${#samples[@]} samples," \
         "$(head -1 <<<"$sorted") to $(tail -1 <<<"$sorted") KB resident"
  fi
fi
