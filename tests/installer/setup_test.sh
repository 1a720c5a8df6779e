#!/usr/bin/env bash
# The setup program under Wine, read back from outside: a silent install writes every value,
# file, autostart entry, shortcut and installed-programs entry; the program starts from the
# autostart command; an upgrade keeps the user's choices, repairs damaged values and ends a
# running copy first; the uninstaller ends the running copy, removes read-only files too and
# leaves nothing but the autoplay value behind; a copy that does not end stops it unchanged.
#   setup_test.sh BUILD_DIR SETUP_EXE STAND_IN_EXE WINPROBE_EXE PLAYER_PLUG_EXE PROGRAM_EXE
#                 UPGRADE_DLL FIRMWARE_DIR VERSION_TEXT TOOL_VERSION_RECORD
set -euo pipefail
build=$(realpath "$1")
setup=$(realpath "$2")
stand_in=$(realpath "$3")
probe_exe=$(realpath "$4")
plug_exe=$(realpath "$5")
program=$(realpath "$6")
upgrade_dll=$(realpath "$7")
firmware=$(realpath "$8")
version_text=$9
tool_version=${10}
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state

root='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate'
pulo5="$root\\Pulo5"
pulo4="$root\\Pulo4"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
arp_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvane Quillmate Tembly ZQ4MKT'
autoplay_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\AutoplayHandlers\CancelAutoplay\CLSID'
autoplay_value=66A32FE6-229D-427B-A608-D273F40C034C
title='Norvane Quillmate Tembly ZQ4MKT'
default_folder='C:\Program Files (x86)\Norvane\Quillmate'
odd_folder='C:\Quill Mäte\Prüfung é'
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title.lnk"
failures=0
cases=0

fail() { echo "FAIL $case_name: $*"; failed=1; }
begin() { case_name=$1; failed=0; cases=$((cases + 1)); }
finish() {
    if [[ $failed -eq 0 ]]; then echo "ok   $case_name"; else failures=$((failures + 1)); fi
}
reg() { "$QM_WINE" reg "$@" /reg:32 >/dev/null 2>&1; }
set_value() { reg add "$1" /v "$2" /d "$3" /f; }
unix_path() { "$QM_WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
probe() { "$QM_WINE" "$probe_exe" "$@"; }
show_message='{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_SHOW_DIALOG_MSG'
destroy_message='{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_DESTROY_TRAY_ICON_MSG'


# All values of a key as NAME<tab>DATA lines (reg writes to a pipe in the OEM code page).
dump() {
    "$QM_WINE" reg query "$1" /reg:32 2>/dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r' |
        sed -n 's/^    \([^ ].*\)    REG_[A-Z_]*    \(.*\)$/\1\t\2/p; s/^    \([^ ].*\)    REG_[A-Z_]*$/\1\t/p'
}
expect_values() { # KEY NAME=DATA...
    local key=$1 values pair
    values=$(dump "$key")
    shift
    for pair in "$@"; do
        local name=${pair%%=*} data=${pair#*=}
        local line
        line=$(awk -F'\t' -v n="$name" '$1 == n {print "found\t" $2; exit}' <<<"$values")
        [[ "$line" == found$'\t'"$data" ]] || fail "$key: $name is [${line#found$'\t'}], expected [$data]"
    done
}
expect_gone() { # KEY [VALUE]
    if [[ $# -eq 2 ]]; then
        ! reg query "$1" /v "$2" || fail "$1: $2 is still there"
    else
        ! reg query "$1" || fail "$1 is still there"
    fi
}
# Waits up to SECONDS for a process (our own background job) to end.
ends_within() {
    local pid=$1 tenths=$(($2 * 10))
    while kill -0 "$pid" 2>/dev/null && [[ $tenths -gt 0 ]]; do sleep 0.1; tenths=$((tenths - 1)); done
    ! kill -0 "$pid" 2>/dev/null
}
# Waits up to SECONDS for a folder to disappear (the uninstaller runs as a copy of itself).
gone_within() {
    local folder=$1 tenths=$(($2 * 10))
    while [[ -e "$folder" && $tenths -gt 0 ]]; do sleep 0.1; tenths=$((tenths - 1)); done
    [[ ! -e "$folder" ]]
}
# NSIS reads /D= and _?= only unquoted, and Wine quotes every argument that holds a blank: such
# an argument goes as its words, which Wine joins with single blanks again.
unquoted() {
    local program=$1 words=() argument
    shift
    for argument in "$@"; do read -ra split <<<"$argument"; words+=("${split[@]}"); done
    "$QM_WINE" "$program" "${words[@]}"
}
install() { unquoted "$setup" "$@"; }

# The values of both product keys after an install into FOLDER with LANGUAGE.
expect_installation() {
    local folder=$1 language=$2 model
    for model in 5 4; do
        local key=$pulo5
        [[ $model == 4 ]] && key=$pulo4
        expect_values "$key" "QmRunPath=$folder" "QmFwFolder=Firmware\\PULO$model" \
            "QmFwInfo=PULO$model.ini" FwType=1 "QMVersion=$tool_version" "QMLanguage=$language" \
            "OnlineCheckLink=https://update.support.norvane.example/pulo$model/fw.txt" \
            "OnlineCheckFwScdLink=https://mirror.support.norvane.example/pulo$model/fw.txt" \
            "OnlineCheckQMLink=https://update.support.norvane.example/quillmate/qm.txt" \
            "OnlineCheckQMScdLink=https://mirror.support.norvane.example/quillmate/qm.txt" \
            OnlineCheckUpdate=1 OnlineCheckPeriod=7 OnlineLastCheckTime=0 OnlineFwExist=0 \
            OnlineFwName= OnlineFwVerMajor=0 OnlineFwVerMid=0 OnlineFwVerMinor=0 \
            OnlineFwInstalled=0 OnlineFwPartialInstalled=0
    done
    local unix
    unix=$(unix_path "$folder")
    cmp -s "$unix/quillmate.exe" "$program" || fail "quillmate.exe is not the program built"
    cmp -s "$unix/NorvaneUpgradeDll.dll" "$upgrade_dll" || fail "the upgrade library is not the one built"
    for model in 5 4; do
        cmp -s "$unix/Firmware/PULO$model/PULO$model.ini" "$firmware/PULO$model/PULO$model.ini" ||
            fail "Firmware\\PULO$model\\PULO$model.ini missing or different"
    done
    [[ -f "$unix/uninstall.exe" ]] || fail "no uninstall.exe"
    [[ -f "$shortcut" ]] || fail "no start-menu shortcut"
    expect_values "$run_key" "Norvane Quillmate=\"$folder\\quillmate.exe\" -silent"
    expect_values "$arp_key" "DisplayName=$title" "DisplayVersion=$version_text" Publisher=Norvane \
        "UninstallString=\"$folder\\uninstall.exe\"" "DisplayIcon=\"$folder\\quillmate.exe\",0" \
        "InstallLocation=$folder"
    dump "$arp_key" | grep -qP '^EstimatedSize\t0x[1-9a-f]' || fail "no EstimatedSize"
}

# Message 121 of a language file with its two fills, as the program shows it at start-up.
versions_text() {
    local line
    line=$(grep -P "^121\t" "$source_dir/res/lang/$1"-*.txt | cut -f2-)
    line=${line/\%s/$2}
    printf '%s' "${line/\%s/$3}"
}

# Starts the autostart command as Windows starts it at log-on; its process is `resident`.
run_autostart() {
    local exe arguments
    autostart=$(dump "$run_key" | awk -F'\t' '$1 == "Norvane Quillmate" {print $2}')
    exe=${autostart#\"}
    exe=${exe%%\"*}
    arguments=${autostart##*\" }
    "$QM_WINE" "$exe" $arguments &
    resident=$!
}
# Waits up to 20 s for the program's window and tray icon.
resident_up() {
    for _ in $(seq 1 40); do
        probe windows "$title" | grep -q . && probe tray | grep -q . && return 0
        sleep 0.5
    done
    return 1
}
# Starts the program with the command the autostart entry holds, as the system does at log-on:
# it stays in the tray. Asked to open its window, as a second start would, it shows the
# player's firmware through the installed library and the carried package's version from the
# installed firmware folder; then it is told to end as the uninstaller tells it.
start_from_autostart() {
    local expected=$1
    run_autostart
    if resident_up; then
        probe post "$title" "reg:$show_message" 0 0 || true
        local shown=0
        for _ in $(seq 1 40); do
            probe controls "$title" 2>/dev/null | grep -qF -- "$expected" && { shown=1; break; }
            sleep 0.5
        done
        [[ $shown == 1 ]] || fail "the program started from [$autostart] does not show [$expected]"
        probe post "$title" "reg:$destroy_message" 0 0 || true
    else
        fail "no tray icon after starting [$autostart]"
    fi
    ends_within $resident 10 || { fail "the program does not end"; kill $resident 2>/dev/null || true; }
}

clean_prefix() {
    while probe close "$title"; do probe gone "$title" 5000 || true; done
    for folder in "$default_folder" "$odd_folder"; do
        local unix
        unix=$(unix_path "$folder")
        [[ -n "$unix" && -e "$unix" ]] && { chmod -R u+w "$unix"; rm -rf "$unix"; }
    done
    reg delete 'HKLM\Software\Norvane' /f || true
    reg delete "$run_key" /v 'Norvane Quillmate' /f || true
    reg delete "$arp_key" /f || true
    rm -f "$shortcut"
}

clean_prefix
"$QM_WINE" "$plug_exe" reset >/dev/null
"$QM_WINE" "$plug_exe" version 1.23 >/dev/null
"$QM_WINE" "$plug_exe" plug normal >/dev/null
set_value "$autoplay_key" "$autoplay_value" ""

begin fresh-silent-install
rc=0; install /S /LANG=1031 || rc=$?
[[ $rc -eq 0 ]] || fail "exit code $rc"
expect_installation "$default_folder" 1031
start_from_autostart "$(versions_text 1031 1.23 1.24)"
finish

begin upgrade-keeps-choices-repairs-values-ends-running-copy
set_value "$pulo5" QMLanguage 0x0019
set_value "$pulo4" QMLanguage 0x0019
set_value "$pulo5" OnlineCheckUpdate 0
set_value "$pulo5" OnlineFwExist 1
set_value "$pulo5" OnlineFwName fw_1_30.exe
set_value "$pulo5" OnlineFwVerMid 1
set_value "$pulo5" OnlineFwVerMinor 30
set_value "$pulo5" QmRunPath ""
set_value "$pulo5" QMVersion 123
set_value "$pulo4" QMVersion 00010000000
reg delete "$pulo4" /v QmFwInfo /f
"$QM_WINE" "$stand_in" resident &
copy=$!
sleep 1
rc=0; install /S || rc=$?
[[ $rc -eq 0 ]] || fail "exit code $rc"
ends_within $copy 5 || { fail "the running copy was not ended"; kill $copy 2>/dev/null || true; }
expect_values "$pulo5" QMLanguage=0x0019 OnlineCheckUpdate=0 OnlineFwExist=1 \
    OnlineFwName=fw_1_30.exe OnlineFwVerMid=1 OnlineFwVerMinor=30 "QmRunPath=$default_folder" \
    "QMVersion=$tool_version"
expect_values "$pulo4" QMLanguage=0x0019 OnlineCheckUpdate=1 QmFwInfo=PULO4.ini \
    "QMVersion=$tool_version"
finish

begin unknown-language-option-changes-nothing
rc=0; install /S /LANG=1234 || rc=$?
[[ $rc -eq 87 ]] || fail "exit code $rc, expected 87"
expect_values "$pulo5" QMLanguage=0x0019 OnlineCheckUpdate=0
finish

begin refused-where-the-program-is-refused
reg add 'HKCU\Software\Wine\AppDefaults\qm_setup_probe.exe' /v Version /d nt40 /f
set_value "$pulo5" QMVersion 123
rc=0; install /S || rc=$?
reg delete 'HKCU\Software\Wine\AppDefaults\qm_setup_probe.exe' /f
# The shell sees the exit code cut to 8 bits.
[[ $rc -eq $((740 & 255)) ]] || fail "exit code $rc, expected 740"
expect_values "$pulo5" QMVersion=123
finish

begin uninstall-stops-when-the-copy-does-not-end
"$QM_WINE" "$stand_in" deaf &
copy=$!
sleep 1
rc=0; unquoted "$default_folder\\uninstall.exe" /S "_?=$default_folder" || rc=$?
[[ $rc -eq 2 ]] || fail "exit code $rc, expected 2"
[[ -f "$(unix_path "$default_folder")/quillmate.exe" ]] || fail "files were removed"
expect_values "$pulo5" QMLanguage=0x0019
kill $copy 2>/dev/null || true
wait $copy 2>/dev/null || true
finish

begin uninstall-ends-the-program-and-removes-everything
install /S /LANG=1031 || fail "reinstall failed"
folder=$(unix_path "$default_folder")
appdata=$(unix_path "$("$QM_WINE" cmd /c echo %APPDATA% | tr -d '\r')")
mkdir -p "$folder/TempPULO5/sub" "$folder/Downloads" "$appdata"
echo staged >"$folder/TempPULO5/sub/fw.bin"
echo package >"$folder/Downloads/fw_1_30.exe"
echo signature >"$folder/Downloads/fw_1_30.exe.sig"
echo partial >"$folder/Downloads/fw_1_31.exe.part"
# A file of the user's own that happens to bear the package's name is not ours to remove.
echo own >"$appdata/fw_1_30.exe"
set_value "$pulo5" OnlineFwExist 1
set_value "$pulo5" OnlineFwName fw_1_30.exe
# Read-only files: what a package or a user may leave so.
chmod a-w "$folder/quillmate.exe" "$folder/Firmware/PULO5/PULO5.ini" "$folder/TempPULO5/sub/fw.bin"
run_autostart
resident_up || fail "the installed program did not start from [$autostart]"
"$QM_WINE" "$default_folder\\uninstall.exe" /S
ends_within $resident 5 || { fail "the program was not ended"; kill $resident 2>/dev/null || true; }
gone_within "$folder" 20 || fail "left behind: $(cd "$folder" && find . | tr '\n' ' ')"
[[ -e "$appdata/fw_1_30.exe" ]] || fail "a file of the user's own was removed"
rm -f "$appdata/fw_1_30.exe"
sleep 1
expect_gone "$root"
expect_gone 'HKLM\Software\Norvane'
expect_gone "$run_key" 'Norvane Quillmate'
expect_gone "$arp_key"
[[ ! -e "$shortcut" ]] || fail "the shortcut is still there"
reg query "$autoplay_key" /v "$autoplay_value" || fail "the autoplay value was removed"
finish

begin folder-with-blanks-and-non-ascii
rc=0; install /S /LANG=1049 "/D=$odd_folder" || rc=$?
[[ $rc -eq 0 ]] || fail "exit code $rc"
expect_installation "$odd_folder" 1049
start_from_autostart "$(versions_text 1049 1.23 1.24)"
# An update from there: the library gets the firmware folder in the ANSI code page.
"$QM_WINE" "$odd_folder\\quillmate.exe" &
program=$!
probe wait "$title" 20000 >/dev/null || fail "the installed program shows no window"
sleep 2
probe click "$title" 1008 >/dev/null || fail "no action button"
updated=0
for _ in $(seq 1 60); do
    "$QM_WINE" "$plug_exe" status | grep -q 'version=1.24' && { updated=1; break; }
    sleep 1
done
[[ $updated == 1 ]] || fail "the player was not updated from [$odd_folder]: $("$QM_WINE" "$plug_exe" status)"
# The result message over the window is answered first.
for _ in $(seq 1 30); do
    if [[ $(probe windows "$title" | awk -F'\t' '$2 == 1' | wc -l) -ge 2 ]]; then
        probe click "$title" 1 >/dev/null || true
        break
    fi
    sleep 1
done
probe post "$title" "reg:$destroy_message" 0 0 >/dev/null || true
ends_within $program 20 || { fail "the program does not end"; kill $program 2>/dev/null || true; }
folder=$(unix_path "$odd_folder")
"$QM_WINE" "$odd_folder\\uninstall.exe" /S
gone_within "$folder" 20 || fail "left behind: $(cd "$folder" && find . | tr '\n' ' ')"
finish

"$QM_WINE" "$plug_exe" reset >/dev/null
reg delete "$autoplay_key" /v "$autoplay_value" /f || true
clean_prefix
echo "$((cases - failures)) passed, $failures failed"
[[ $failures -eq 0 ]]
