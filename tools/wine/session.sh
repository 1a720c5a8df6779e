#!/usr/bin/env bash
# Starts or stops what the harness needs around a series of runs in one prefix: the prefix
# itself, an Xvfb display when none is given, and a persistent wineserver. `stop` ends only
# what `start` started.
#   session.sh start|stop DIR
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/env.sh"
[[ $# -eq 2 ]] || { echo "usage: session.sh start|stop DIR" >&2; exit 2; }
qm_use_prefix "$2"

start() {
    qm_prefix_ensure
    if [[ -z "${DISPLAY:-}" && ! -f "$QM_STATE/xvfb.pid" ]]; then
        local n=90
        while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        echo $! >"$QM_STATE/xvfb.pid"
        echo ":$n" >"$QM_STATE/display"
        for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
    fi
    # The desktop process that the services start owns the display for every later program.
    qm_display_from_state
    # Detached from our output, so that a caller waiting for it to close (ctest) does not wait
    # forever. The system services start now, for the same reason: a later program would
    # otherwise start them with its own output, and they live as long as the wineserver.
    "$QM_WINESERVER" -p >/dev/null 2>&1 </dev/null
    "$QM_WINE" wineboot >/dev/null 2>&1 </dev/null
}

stop() {
    "$QM_WINESERVER" -k 2>/dev/null || true
    "$QM_WINESERVER" -w 2>/dev/null || true
    if [[ -f "$QM_STATE/xvfb.pid" ]]; then
        kill "$(cat "$QM_STATE/xvfb.pid")" 2>/dev/null || true
        rm -f "$QM_STATE/xvfb.pid" "$QM_STATE/display"
    fi
}

case "$1" in
start) start ;;
stop) stop ;;
*) echo "usage: session.sh start|stop DIR" >&2; exit 2 ;;
esac
