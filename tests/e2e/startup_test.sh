#!/usr/bin/env bash
# End to end: quillmate.exe under Wine finds its firmware folder, chooses its language, finds
# the simulated player and shows both firmware versions; read back from outside like a user
# would see it.
#   startup_test.sh BUILD_DIR QUILLMATE_EXE WINPROBE_EXE UPGRADE_DLL PLAYER_PLUG_EXE
set -euo pipefail
build=$(realpath "$1")
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
upgrade_dll=$(realpath "$4")
plug_exe=$(realpath "$5")
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state

world="$build/e2e-world"
artifacts="$build/artifacts"
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
title='Norvane Quillmate Tembly ZQ4MKT'
failures=0

probe() { "$QM_WINE" "$probe_exe" "$@"; }
plug() { "$QM_WINE" "$plug_exe" "$@" >/dev/null; }
windows_path() { echo "Z:${1//\//\\}"; }
set_value() { "$QM_WINE" reg add "$key" /v "$1" /d "$2" /f /reg:32 >/dev/null 2>&1; }
delete_value() { "$QM_WINE" reg delete "$key" /v "$1" /f /reg:32 >/dev/null 2>&1 || true; }
package_description() {
    mkdir -p "$1"
    printf '[FIRMWARE]\r\nFWTYPE=1\r\nMAJORVER=0\r\nMIDVER=%s\r\nMINORVER=%s\r\n' "$2" "$3" >"$1/fw.ini"
}
# Message 121 of a language file with its two fills, as winprobe prints it.
expected_text() {
    local line
    line=$(grep -P "^121\t" "$source_dir/res/lang/$1"-*.txt | cut -f2-)
    line=${line/\%s/$2}
    line=${line/\%s/$3}
    printf '%s' "$line"
}

# Runs the program until its window shows, checks the text, keeps a screenshot, presses OK.
run_case() {
    local name=$1 expected=$2 program=$3
    shift 3
    "$@" "$QM_WINE" "$program" &
    local pid=$!
    if ! probe wait "$title" 20000; then
        echo "FAIL $name: no window; the windows are:"
        probe windows
        ps aux | grep -i quillmate | grep -v grep
        kill $pid 2>/dev/null || true
        failures=$((failures + 1))
        return
    fi
    local controls
    controls=$(probe controls "$title")
    if grep -qF -- "$expected" <<<"$controls"; then
        echo "ok   $name"
    else
        echo "FAIL $name: expected text [$expected] in:"
        echo "$controls"
        failures=$((failures + 1))
    fi
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$artifacts/startup-$name.png" || true
    local ok_id
    ok_id=$(awk -F'\t' '$2 ~ /^Button$/ {print $1; exit}' <<<"$controls")
    probe click "$title" "${ok_id:-2}" || true
    probe gone "$title" 10000 || { echo "FAIL $name: window stays"; failures=$((failures + 1)); }
    wait $pid || true
}

rm -rf "$world"
mkdir -p "$artifacts"
# A window left over from an interrupted run would answer in place of the program under test.
while probe close "$title"; do probe gone "$title" 5000 || true; done

# Installation values name the firmware folder; the language setting picks German. The player is
# attached with firmware 1.23, read through the upgrade library in the installation folder.
package_description "$world/install/Firmware/PULO5" 2 3
cp "$upgrade_dll" "$world/install/"
plug reset
plug version 1.23
plug plug normal
set_value QmRunPath "$(windows_path "$world/install")"
set_value QmFwFolder '\Firmware\PULO5\'
set_value QmFwInfo fw.ini
set_value QMLanguage 1031
run_case german "$(expected_text 1031 1.23 2.03)" "$exe" env

# A lone backslash names no folder: the folder beside the program is used; the setting in the
# older product's key chooses the language. A player in recovery mode shows no version.
plug plug recovery
mkdir -p "$world/app"
cp "$exe" "$world/app/quillmate.exe"
package_description "$world/app/Firmware/PULO5" 4 5
set_value QmFwFolder '\'
delete_value QMLanguage
"$QM_WINE" reg add 'HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo4' /v QMLanguage /d 0x0019 /f /reg:32 >/dev/null 2>&1
run_case command-line-folder "$(expected_text 1049 - 4.05)" "$world/app/quillmate.exe" env

# Without any setting the user's language decides: Arabic, shown right to left.
plug unplug
"$QM_WINE" reg delete 'HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo4' /f /reg:32 >/dev/null 2>&1
run_case arabic-user-default "$(expected_text 1025 - 4.05)" "$world/app/quillmate.exe" env LC_ALL=ar_SA.UTF-8

plug reset
"$QM_WINE" reg delete 'HKLM\Software\Norvane' /f /reg:32 >/dev/null 2>&1 || true
echo "$((3 - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
