#!/usr/bin/env bash
# Runs a Windows program under Wine in a harness prefix and returns its exit code.
#   run.sh --prefix DIR program.exe [arguments...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/env.sh"
[[ "${1:-}" == --prefix ]] || { echo "usage: run.sh --prefix DIR program.exe [args]" >&2; exit 2; }
qm_use_prefix "$2"
shift 2
qm_prefix_ensure
qm_display_from_state
exec "$QM_WINE" "$@"
