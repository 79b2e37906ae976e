#!/bin/bash
# Batch throughput, measured in one run on this machine: barvell's batches (10,000 codes by
# default) at the default settings and at 600 dpi, zint's batch mode for the same codes at
# 3 and 7 pixels a module, Code 39 in both, and the floor that the batch's own file work
# sets. Each is run REPEAT times; the medians are printed with codes per second, the
# ratios to zint and to the floor, and the peak memory.
#   batch_throughput.sh BARVELL FILE_FLOOR [COUNT] [REPEAT]
set -euo pipefail
barvell=$(realpath "$1")
floor=$(realpath "$2")
count=${3:-10000}
repeat=${4:-3}
command -v zint >/dev/null || { echo "zint is not installed (scripts/install-deps)"; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"

# The codes: the fixed part 6901234 and 5-digit self parts, 12 digits before the check
# digit (up to 100,000 codes).
[ "$count" -le 100000 ] || { echo "at most 100000 codes"; exit 2; }
fixed=6901234
end=$(printf '%05d' $((count - 1)))
seq -f "${fixed}%05.0f" 0 $((count - 1)) > "$work/ean12.txt"
seq -f "AT%05.0f" 1 "$count" > "$work/code39.txt"

# One timed run: wall seconds and peak resident KB on the last line of the time file.
timed() {  # name, command...
  local name=$1
  shift
  local out="$work/out"
  rm -rf "$out"
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

echo "$count codes, median of $repeat runs, $(nproc) cores, $(uname -r)"
measure b300 "barvell ean13 300 dpi" "$barvell" batch-ean13 --fixed "$fixed" --start 00000 --end "$end" --dir .
measure z3 "zint ean13 3 px" zint -b 13 --batch --scale=1.5 --filetype=png --mirror -i "$work/ean12.txt"
measure b600 "barvell ean13 600 dpi" "$barvell" batch-ean13 --fixed "$fixed" --start 00000 --end "$end" \
  --set dpi=600 --dir .
measure z7 "zint ean13 7 px" zint -b 13 --batch --scale=3.5 --filetype=png --mirror -i "$work/ean12.txt"
measure c300 "barvell code39 300 dpi" "$barvell" batch-code39 --formula 'AT?n5?' --start 1 --end "$count" \
  --step 1 --dir .
measure zc "zint code39 3 px" zint -b 8 --batch --scale=1.5 --filetype=png --mirror -i "$work/code39.txt"

floor_runs=()
for _ in $(seq 1 "$repeat"); do
  rm -rf "$work/floor" && mkdir -p "$work/floor"
  floor_runs+=("$("$floor" "$work/floor" "$count")")
done
rate[floor]=$(printf '%s\n' "${floor_runs[@]}" | median)
printf '%-28s %8s    %7s codes/s\n' "file-work floor" "" "${rate[floor]}"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo
echo "barvell / zint:  ean13 300 dpi $(ratio "${rate[b300]}" "${rate[z3]}")," \
     "ean13 600 dpi $(ratio "${rate[b600]}" "${rate[z7]}")," \
     "code39 $(ratio "${rate[c300]}" "${rate[zc]}")"
echo "floor / barvell: ean13 300 dpi $(ratio "${rate[floor]}" "${rate[b300]}")," \
     "code39 $(ratio "${rate[floor]}" "${rate[c300]}")"
