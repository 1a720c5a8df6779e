#!/usr/bin/env bash
# Ten million executions of every fuzz target, one line each with its time (the README's figures).
#   bench.sh CORPUS_ROOT WORK_DIR TARGET...
set -euo pipefail
corpus=$1 work=$2
shift 2
for target in "$@"; do
    name=$(basename "$target" _fuzz)
    start=$(date +%s)
    line=$("$(dirname "$0")/run.sh" "$target" "$corpus/$name" "$work" -runs=10000000)
    echo "$line, $(($(date +%s) - start)) s"
done
