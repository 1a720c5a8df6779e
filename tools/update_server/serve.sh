#!/usr/bin/env bash
# Starts or stops the local update server in the background; `stop` ends only the server that
# `start` started (by its recorded process id).
#   serve.sh start STATE_DIR SERVER_BINARY ROOT_DIR    (writes STATE_DIR/port and STATE_DIR/pid)
#   serve.sh stop STATE_DIR
set -euo pipefail
case "${1:-}" in
start)
    [[ $# -eq 4 ]] || { echo "usage: serve.sh start STATE_DIR SERVER ROOT" >&2; exit 2; }
    state=$2
    mkdir -p "$state" "$4"
    if [[ -f "$state/pid" ]] && kill -0 "$(cat "$state/pid")" 2>/dev/null; then
        kill "$(cat "$state/pid")"
    fi
    rm -f "$state/port" "$state/pid"
    "$3" --root "$4" --port-file "$state/port" >"$state/server.log" 2>&1 &
    echo $! >"$state/pid"
    for _ in $(seq 100); do [[ -s "$state/port" ]] && exit 0; sleep 0.05; done
    echo "update server did not start" >&2
    exit 1
    ;;
stop)
    [[ $# -eq 2 ]] || { echo "usage: serve.sh stop STATE_DIR" >&2; exit 2; }
    if [[ -f "$2/pid" ]]; then
        kill "$(cat "$2/pid")" 2>/dev/null || true
        rm -f "$2/pid" "$2/port"
    fi
    ;;
*) echo "usage: serve.sh start|stop ..." >&2; exit 2 ;;
esac
