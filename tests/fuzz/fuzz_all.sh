#!/bin/bash
# `make fuzz`: every fuzzer for SECONDS over its own corpus in the build tree (kept from run
# to run, seeded from tests/fuzz/corpus), going on past findings, which are kept in its
# artifacts folder. Prints executions and findings per fuzzer; fails when there are any.
# fuzz_all.sh LIST SECONDS WORK
set -u
list=$1 seconds=$2 work=$3
status=0
rows=()
while IFS='|' read -r name bin seeds options; do
  [ -n "$name" ] || continue
  dir=$work/$name
  mkdir -p "$dir/corpus" "$dir/artifacts"
  IFS=',' read -ra seed_list <<<"$seeds"
  for seed in "${seed_list[@]}"; do
    if [ -d "$seed" ]; then
      find "$seed" -maxdepth 1 -type f -exec cp -n {} "$dir/corpus/" \;
    elif [ -f "$seed" ]; then
      cp -n "$seed" "$dir/corpus/"
    fi
  done
  IFS=',' read -ra opts <<<"$options"
  before=$(find "$dir/artifacts" -type f | wc -l)
  echo "== $name: $seconds s" >&2
  "$bin" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" "${opts[@]}" -artifact_prefix="$dir/artifacts/" \
    "$dir/corpus" >"$dir/log.txt" 2>&1
  # The fork mode's progress lines: "#runs: cov: ... oom/timeout/crash: o/t/c time: ...".
  last=$(grep -E '^#[0-9]+: cov:' "$dir/log.txt" | tail -1)
  runs=$(sed -nE 's/^#([0-9]+):.*/\1/p' <<<"$last")
  found=$(sed -nE 's/.*oom\/timeout\/crash: ([0-9]+\/[0-9]+\/[0-9]+).*/\1/p' <<<"$last")
  after=$(find "$dir/artifacts" -type f | wc -l)
  new=$((after - before))
  [ "$new" -eq 0 ] || status=1
  rows+=("$(printf '%-18s %12s %16s %9s' "$name" "${runs:-?}" "${found:-?}" "$new")")
done <"$list"
printf '%-18s %12s %16s %9s\n' fuzzer executions oom/timeout/crash new-files
printf '%s\n' "${rows[@]}"
[ "$status" -eq 0 ] || echo "findings are in $work/<fuzzer>/artifacts" >&2
exit $status
