#!/usr/bin/env bash
# End to end: what quillmate.exe under Wine does at start-up before its main window, read back
# from outside: the refusal of an old system, the notice when another copy holds the
# single-instance mutex without a window, and a second start that brings the running copy's
# window forward and ends without a word.
#   startup_test.sh BUILD_DIR QUILLMATE_EXE WINPROBE_EXE RUNNING_COPY_EXE
set -euo pipefail
build=$(realpath "$1")
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
copy_exe=$(realpath "$4")
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state

world="$build/e2e-world"
artifacts="$build/artifacts"
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
defaults='HKCU\Software\Wine\AppDefaults\quillmate.exe'
title='Norvane Quillmate Tembly ZQ4MKT'
failures=0
passed=0

probe() { "$QM_WINE" "$probe_exe" "$@"; }
windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
pass() { echo "ok   $1"; passed=$((passed + 1)); }
message_text() { grep -P "^$2\t" "$source_dir/res/lang/$1"-*.txt | cut -f2-; }
title_count() { probe windows "$title" | grep -c . || true; }

# Starts the stand-in for a running copy and waits until it holds the mutex.
start_copy() {
    copy_log="$world/copy-$1.log"
    rm -f "$copy_log"
    "$QM_WINE" "$copy_exe" "$1" "$(windows_path "$copy_log")" &
    copy_pid=$!
    for _ in $(seq 100); do
        grep -q ready "$copy_log" 2>/dev/null && return
        sleep 0.1
    done
    fail "$1: the stand-in did not start"
}
stop_copy() {
    probe close "$1" || true
    wait "$copy_pid" || true
}

# Runs the program until its message dialog shows, checks the text, keeps a screenshot, presses
# OK and expects the program to end.
expect_message() {
    local name=$1 expected=$2
    "$QM_WINE" "$exe" &
    local pid=$!
    if ! probe wait "$title" 20000; then
        fail "$name: no message dialog"
        kill $pid 2>/dev/null || true
        return
    fi
    local controls
    controls=$(probe controls "$title")
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$artifacts/startup-$name.png" || true
    probe click "$title" 1 || true
    local code=0
    wait $pid || code=$?
    if ! grep -qF -- "$expected" <<<"$controls"; then
        fail "$name: expected [$expected] in:"$'\n'"$controls"
    elif [[ $code -ne 0 ]]; then
        fail "$name: exit code $code"
    else
        pass "$name"
    fi
}

rm -rf "$world"
mkdir -p "$world" "$artifacts"
# A window left over from an interrupted run would answer in place of the program under test.
while probe close "$title"; do probe gone "$title" 5000 || true; done
"$QM_WINE" reg add "$key" /v QMLanguage /d 1031 /f /reg:32 >/dev/null 2>&1

# Windows NT 4 is below what the program supports: message 190, before any other check.
"$QM_WINE" reg add "$defaults" /v Version /d nt40 /f >/dev/null 2>&1
expect_message unsupported-system "$(message_text 1031 190)"
"$QM_WINE" reg delete "$defaults" /f >/dev/null 2>&1 || true

# Another process holds the single-instance mutex but shows no window with the main title.
start_copy mutex
expect_message mutex-without-window "$(message_text 1031 146)"
stop_copy 'Quillmate mutex holder'

# A running copy with its window minimised: the second start reaches it with the show-window
# broadcast, restores its window and ends by itself without a window of its own.
start_copy window
code=0
timeout 30 "$QM_WINE" "$exe" -silent || code=$?
sleep 0.5
if [[ $code -ne 0 ]]; then
    fail "second-start: exit code $code"
elif ! grep -q show-dialog "$copy_log" || ! grep -q restored "$copy_log"; then
    fail "second-start: the running copy noted [$(tr '\n' ' ' <"$copy_log")]"
elif [[ $(title_count) -ne 1 ]]; then
    fail "second-start: windows titled [$title]:"$'\n'"$(probe windows "$title")"
else
    pass second-start
fi
stop_copy "$title"

"$QM_WINE" reg delete 'HKLM\Software\Norvane' /f /reg:32 >/dev/null 2>&1 || true
echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
