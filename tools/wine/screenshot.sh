#!/usr/bin/env bash
# Saves the whole screen of the harness display as a PNG.
#   screenshot.sh DIR out.png
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/env.sh"
qm_use_prefix "$1"
qm_display_from_state
mkdir -p "$(dirname "$2")"
import -display "$DISPLAY" -window root "$2"
