#!/bin/bash
# One whole batch of each kind under Valgrind's memcheck: the command line plays the clicks
# through the real program (windows, handlers, draw panel, picture files). Any memory error,
# or any leak that is definitely, indirectly or possibly lost, fails the run. The
# suppressions cover only the libraries' own exit and font-configuration faults.
# Every picture written must decode with zbarimg to its code.
#   batch_memcheck.sh <barvell> <suppressions> [COUNT]
set -u
program=$1
suppressions=$2
count=${3:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR" "$work/ean13" "$work/code39"

fail() { echo "FAIL: $*"; exit 1; }

memcheck() {  # name, barvell arguments...
  local name=$1
  shift
  valgrind --quiet --error-exitcode=97 --leak-check=full \
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
    --suppressions="$suppressions" --log-file="$work/$name.log" \
    "$program" "$@" > "$work/$name.out" 2> "$work/$name.err"
  local rc=$?
  if [ $rc -ne 0 ]; then
    cat "$work/$name.log" "$work/$name.err"
    fail "$name: exit code $rc under memcheck"
  fi
  echo "$name: no memory error or leak"
}

last=$(printf '%03d' $((count - 1)))
memcheck ean13 batch-ean13 --fixed 690123456 --start 000 --end "$last" --dir "$work/ean13"
memcheck code39 batch-code39 --formula 'MC?n4?' --start 1 --end "$count" --step 1 --dir "$work/code39"

# The pictures: one per code, each decoding to its own code.
[ "$(ls "$work/ean13" | wc -l)" -eq "$count" ] || fail "EAN-13: $(ls "$work/ean13" | wc -l) files, not $count"
[ "$(ls "$work/code39" | wc -l)" -eq "$count" ] || fail "Code 39: $(ls "$work/code39" | wc -l) files, not $count"
for picture in "$work"/ean13/* "$work"/code39/*; do
  code=$(basename "${picture%.*}")
  decoded=$(zbarimg --quiet --raw "$picture" 2>/dev/null)
  # The EAN-13 file is named after its 13 digits; zbarimg reads them back whole.
  [ "$decoded" = "$code" ] || fail "$picture decodes to '$decoded'"
done
echo "$count + $count pictures decode to their codes"
