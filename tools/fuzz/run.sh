#!/usr/bin/env bash
# Runs one fuzz target from its seed corpus and prints one line: target, executions, coverage.
#   run.sh TARGET SEED_DIR WORK_DIR [libFuzzer options]
# New inputs go into WORK_DIR, never into the committed seeds. Exits non-zero on a crash.
set -euo pipefail
target=$1 seeds=$2 work=$3
shift 3
name=$(basename "$target")
mkdir -p "$work/$name"
log="$work/$name.log"
if ! "$target" -artifact_prefix="$work/$name-" "$@" "$work/$name" "$seeds" >"$log" 2>&1; then
    tail -40 "$log"
    echo "$name: crashed (input kept in $work)"
    exit 1
fi
done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)
runs=$(sed -E 's/^#([0-9]+).*/\1/' <<<"$done_line")
cov=$(sed -E 's/.*cov: ([0-9]+).*/\1/' <<<"$done_line")
echo "$name: $runs executions, coverage $cov edges, 0 crashes"
