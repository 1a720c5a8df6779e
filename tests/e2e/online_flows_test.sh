#!/usr/bin/env bash
# End to end: the online flows of the real program under Wine against the local update server,
# the test firmware package and the test tool installer: the offer and its question, download,
# install, the Update page afterwards, the tool installer, the server's failure modes, the
# callout after a silent start, a crashing package, and bad input.
#   online_flows_test.sh BUILD_DIR QUILLMATE_EXE WINPROBE_EXE UPGRADE_DLL PLAYER_PLUG_EXE
#                        TEST_WORLD_DIR UPDATE_SERVER
set -euo pipefail
build=$(realpath "$1")
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
upgrade_dll=$(realpath "$4")
plug_exe=$(realpath "$5")
test_world=$(realpath "$6")
server=$(realpath "$7")
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state

world="$build/e2e-online-world"
root="$world/server/root"
install="$world/install"
firmware="$install/Firmware/PULO5"
artifacts="$build/artifacts"
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
# The elevated program takes the browser from the machine's keys only, in its registry view.
browser_key='HKLM\Software\Clients\StartMenuInternet'
title='Norvane Quillmate Tembly ZQ4MKT'
destroy_message='reg:{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_DESTROY_TRAY_ICON_MSG'
private_key="$build/update_key/private.pem"
passed=0
failures=0
pid=

shot_prefix=online
source "$source_dir/tests/e2e/harness.sh"
control() { controls | awk -F'\t' -v id="$1" '$1 == id {print}'; }
enabled() { [[ $(control "$1" | head -1 | cut -f4) == "$2" ]]; }
shows_text() { control "$1" | grep -qF -- "$2"; }
only_main_window() { [[ $(dialogs_shown) -eq 1 ]]; }
dialog_shows() { controls | grep -qF -- "$1"; }
# A dialog over the main window: the first of our windows in z-order is not the main window.
question_up() { dialog_shows "$1" && [[ $(dialogs_shown) -ge 2 ]]; }
answers_within() { probe ping "$title" "$1" >/dev/null; }
value_is() { [[ $(read_value "$1") == "$2" ]]; }
no_package_files() { ! compgen -G "$install/Downloads/fw_1_30*" >/dev/null; }
carried_untouched() {
    grep -q 'MINORVER=24' "$firmware/fw.ini" && [[ ! -e "$firmware/firmware.bin" ]]
}
nothing_recorded() { value_is OnlineFwExist 0 && value_is OnlineFwName '' && no_package_files; }
offers_carried() { within 8000 shows_text 1019 "$(message 1033 121 1.23 1.24)"; }
page_offers() { shows_text 1019 "$(message 1033 121 "$1" "$2")" && enabled 1008 1; }
# What the test installer and the test browser (the same program) were started with.
launched() { iconv -f UTF-16LE -t UTF-8 "$world/launched.log" 2>/dev/null; }
launched_with() { launched | grep -qF -- "$1"; }

# The maker's descriptor for firmware 1.30: descriptor FILE URL_PATH [INFO] (signed).
descriptor() {
    local signature
    signature=$("$source_dir/tools/sign-update.sh" sign "$private_key" firmware 0.1.30 \
        "$root/fw_1_30.exe")
    printf 'version=V1.30\r\nurl=%s/%s\r\n' "$base" "$2" >"$root/$1"
    [[ -z "${3:-}" ]] || printf 'info=%s\r\n' "$3" >>"$root/$1"
    printf '%s\r\n' "$signature" >>"$root/$1"
}
links() { # FIRMWARE_PRIMARY TOOL_PRIMARY (paths on the server); the secondaries fail
    set_value OnlineCheckLink "$base/$1"
    set_value OnlineCheckFwScdLink "$base/404/fw.txt"
    set_value OnlineCheckQMLink "$base/$2"
    set_value OnlineCheckQMScdLink "$base/404/qm.txt"
}

start_program() { # [ENV=VALUE ...] [-- ARGUMENTS]
    local environment=()
    while [[ $# -gt 0 && $1 != -- ]]; do environment+=("$1"); shift; done
    [[ $# -eq 0 ]] || shift
    env QM_PACKAGE_VERSION=0.1.30 QM_INSTALLER_LOG="$(windows_path "$world/launched.log")" \
        "${environment[@]}" "$QM_WINE" "$exe" "$@" &
    pid=$!
}
stop_program() {
    if running; then
        probe post "$title" "$destroy_message" 0 0 || true
        within 15000 ended || kill "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
    pid=
}
cleanup() {
    stop_program
    plug reset || true
    "$QM_WINE" reg delete "$browser_key\\QmTestBrowser" /f /reg:32 >/dev/null 2>&1 || true
    "$QM_WINE" reg delete "$browser_key" /ve /f /reg:32 >/dev/null 2>&1 || true
    "$source_dir/tools/update_server/serve.sh" stop "$world/server"
}
trap cleanup EXIT

# The installation carries firmware 1.24; the player runs 1.23; nothing downloaded before.
reset_world() {
    rm -rf "$install" "$world/launched.log"
    mkdir -p "$firmware"
    printf '[FIRMWARE]\r\nFWTYPE=1\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=24\r\n' >"$firmware/fw.ini"
    cp "$upgrade_dll" "$install/"
    for record in OnlineFwExist OnlineFwVerMajor OnlineFwVerMid OnlineFwVerMinor \
        OnlineFwInstalled OnlineFwPartialInstalled; do
        set_value "$record" 0
    done
    set_value OnlineFwName ''
    set_value QMVersion 0100000001
    links fw.txt 404/qm.txt
    descriptor fw.txt slow/fw_1_30.exe
}

# A firmware launch up to the first question: START_ARGS...
launch_to_question() {
    stop_program
    start_program "$@"
    within 30000 question_up "$(message 1033 112 "Tembly ZQ4MKT")"
}

mkdir -p "$artifacts" "$root"
rm -f "$artifacts"/online-FAIL-*
while probe close "$title" 2>/dev/null; do probe gone "$title" 5000 || true; done
"$QM_WINE" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
set_value QmRunPath "$(windows_path "$install")"
set_value QmFwFolder '\Firmware\PULO5\'
set_value QmFwInfo fw.ini
set_value FwType 1
set_value QMLanguage 1033
set_value OnlineCheckUpdate 1
set_value OnlineCheckPeriod 0
set_value OnlineLastCheckTime 0
# A browser that only notes the address it was asked to open.
cp "$test_world/qm_test_installer.exe" "$world/browser.exe"
"$QM_WINE" reg add "$browser_key" /ve /d QmTestBrowser /f /reg:32 >/dev/null 2>&1
"$QM_WINE" reg add "$browser_key\\QmTestBrowser\\shell\\open\\command" /ve \
    /d "$(windows_path "$world/browser.exe")" /f /reg:32 >/dev/null 2>&1

# The server's files: the package 1.30 (padded, so that a slow transfer lasts a few seconds;
# data after the program's image does not change how it runs), the tool installer, and
# descriptors gone bad.
cp "$test_world/qm_test_package.exe" "$root/fw_1_30.exe"
head -c $((2 * 1024 * 1024)) /dev/zero >>"$root/fw_1_30.exe"
cp "$test_world/qm_test_installer.exe" "$root/Setup.exe"
"$source_dir/tools/update_server/serve.sh" start "$world/server" "$server" "$root"
base="http://127.0.0.1:$(cat "$world/server/port")"
printf 'version=V1.30\r\nurl=%s/Setup.exe\r\n%s\r\n' "$base" \
    "$("$source_dir/tools/sign-update.sh" sign "$private_key" tool 0.1.30 "$root/Setup.exe")" \
    >"$root/qm.txt"
printf 'Error: service closed\r\n' >"$root/error.txt"
head -c 4096 /dev/urandom >"$root/garbage.txt"
head -c $((10 * 1024 * 1024)) < <(yes 'filler=0123456789abcdefghijklmnopqrstuvwxyz') >"$root/big.txt"

plug reset
plug version 1.23
plug plug normal
reset_world

# 1. The offer: question, download with progress, install question, install, Update page.
scenario_1() {
    descriptor fw.txt slow/fw_1_30.exe "$base/news.htm"
    check "offer asks the question" launch_to_question
    shot question
    probe click "$title" 1
    check "download shows message 107" \
        within 5000 shows_text 1019 "$(message 1033 107 1.30)"
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$world/dots-a.png"
    sleep 0.5
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$world/dots-b.png"
    cp "$world/dots-b.png" "$artifacts/online-download.png"
    moving() { [[ $(compare -metric AE "$world/dots-a.png" "$world/dots-b.png" null: 2>&1) != 0 ]]; }
    check "dots move during the download" moving
    check "window answers during the download" answers_within 1000
    check "information page handed to the browser" within 5000 launched_with "$base/news.htm"
    check "install question after the download" \
        within 30000 question_up "$(message 1033 134)"
    check "package recorded as downloaded" value_is OnlineFwExist 1
    check "package file under its own name" test -f "$install/Downloads/fw_1_30.exe"
    shot install-question
    probe click "$title" 1
    check "install reports message 111" within 30000 question_up "$(message 1033 111)"
    shot result
    check "firmware folder holds the new files" \
        test -f "$firmware/firmware.bin" -a -f "$firmware/res/font.dat"
    check "firmware folder describes 1.30" grep -q 'MINORVER=30' "$firmware/fw.ini"
    check "record says installed" eval 'value_is OnlineFwInstalled 1 && nothing_recorded &&
        value_is OnlineFwPartialInstalled 0'
    check "download folder gone" test ! -e "$install/TempPULO5"
    probe click "$title" 1
    check "Update page offers 1.30 to the player's 1.23" within 8000 page_offers 1.23 1.30
    probe click "$title" 1008
    check "update reports completion" within 150000 question_up "$(message 1033 181)"
    probe click "$title" 1 || true
    check "player runs 1.30" within 10000 player_reports 1.30
    plug unplug
    plug version 1.23
    plug plug normal
}

# 2. No at the first question: the window stays with the carried firmware on offer.
scenario_2() {
    reset_world
    launch_to_question || true
    probe click "$title" 2
    check "declined offer keeps the window open" within 5000 window_shown
    check "declined offer shows the carried 1.24" offers_carried
    check "declined offer downloads nothing" nothing_recorded
}

# 3. No at the install question: no message, the package and its record gone.
scenario_3() {
    reset_world
    descriptor fw.txt fw_1_30.exe
    launch_to_question || true
    probe click "$title" 1
    within 30000 question_up "$(message 1033 134)" || true
    probe click "$title" 2
    check "declined install shows the carried 1.24" offers_carried
    check "declined install shows no message" only_main_window
    check "declined install forgets the package" nothing_recorded
    check "declined install keeps the carried firmware" carried_untouched
}

# 4. A second Check For Updates while the worker asks starts nothing; close during a
# download hides the window and the flow still finishes.
scenario_4() {
    reset_world
    launch_to_question || true
    probe post "$title" 0x111 32777 0
    sleep 2
    check "second check starts no second question" test "$(dialogs_shown)" -eq 2
    probe click "$title" 1
    within 5000 shows_text 1019 "$(message 1033 107 1.30)" || true
    probe post "$title" 0x112 0xF060 0
    check "close command during the download hides the window" within 5000 not window_shown
    check "install question still follows" within 30000 dialog_shows "$(message 1033 134)"
    probe click "$title" 1
    check "hidden flow installs" within 30000 dialog_shows "$(message 1033 111)"
    probe click "$title" 1 || true
    check "hidden flow left 1.30 in place" grep -q 'MINORVER=30' "$firmware/fw.ini"
    check "program stays after the hidden flow" running
}

# 5. Exit during a download: the question, then the program ends after its worker, with no
# package recorded.
scenario_5() {
    reset_world
    launch_to_question || true
    probe click "$title" 1
    within 5000 shows_text 1019 "$(message 1033 107 1.30)" || true
    probe post "$title" 0x111 32772 0
    check "exit during a download asks" within 5000 dialog_shows "$(message 1033 210 "$title")"
    probe click "$title" 1 || true
    check "program ends after its worker" within 30000 ended
    check "exit leaves no package recorded" eval 'value_is OnlineFwExist 0 && no_package_files'
    check "exit leaves the carried firmware" carried_untouched
    stop_program
}

# 6. The tool update: the installer runs with its arguments; 0 leaves the Update page, 1
# gives message 174.
scenario_6() {
    for code in 0 1; do
        reset_world
        links error.txt qm.txt
        stop_program
        start_program QM_INSTALLER_EXIT=$code
        within 30000 question_up "$(message 1033 112 "Tembly ZQ4MKT")" || true
        probe click "$title" 1
        within 30000 question_up "$(message 1033 134)" || true
        probe click "$title" 1
        if [[ $code -eq 0 ]]; then
            # The reinstalled tool counts as done: the Update page says so.
            check "installer exit 0 returns to the Update page" \
                within 20000 shows_text 1019 "$(message 1033 123)"
            check "installer exit 0 shows no message" only_main_window
        else
            check "installer exit 1 reports message 174" \
                within 20000 question_up "$(message 1033 174)"
            probe click "$title" 1 || true
        fi
        check "installer ran silently with its arguments (exit $code)" \
            launched_with ' /s /v"/qr REINSTALLMODE=\"vamus\" REINSTALL=\"ALL\""'
    done
}

# 7. Descriptors gone bad: no offer, nothing recorded, the carried firmware untouched.
scenario_7() {
    for bad in 404/fw.txt 500/fw.txt drop/fw.txt error.txt garbage.txt big.txt; do
        reset_world
        links "$bad" 404/qm.txt
        stop_program
        start_program
        within 30000 window_shown || true
        check "descriptor $bad: no offer" offers_carried
        check "descriptor $bad: nothing downloaded" eval 'nothing_recorded && carried_untouched'
    done
}

# 8. Packages gone bad: message 150 after the question; nothing recorded.
scenario_8() {
    for bad in 404/fw_1_30.exe drop/fw_1_30.exe stallbody/fw_1_30.exe '..\..\evil.exe' \
        COM1.exe 'fw_1_30.exe?"x'; do
        reset_world
        descriptor fw.txt "$bad"
        launch_to_question || true
        started=$SECONDS
        probe click "$title" 1
        if [[ $bad == stallbody/* ]]; then
            sleep 3
            check "stalled download: the window answers" answers_within 1000
        fi
        check "package $bad reports message 150" within 60000 question_up "$(message 1033 150)"
        [[ $bad != stallbody/* ]] || echo "     stalled download ended after $((SECONDS - started)) s"
        probe click "$title" 1 || true
        check "package $bad: nothing recorded" eval 'nothing_recorded && carried_untouched'
    done
    check "no file outside the application-data folder" \
        eval '! find "$WINEPREFIX/drive_c/users" "$install" -name "*evil*" | grep -q .'
}

# 9. A stalled descriptor: the check runs on the window's thread, bounded by the receive
# time-out (30 s) of each fetch; the window then opens without an offer.
scenario_9() {
    reset_world
    links fw.txt stall/qm.txt
    descriptor fw.txt 404/fw_1_30.exe
    stop_program
    started=$SECONDS
    start_program
    check "stalled descriptor: the window opens in time" within 75000 window_shown
    echo "     window open after $((SECONDS - started)) s"
}

# 10. Information addresses that must not reach a command line.
scenario_10() {
    for info in 'file:///C:/windows/notepad.exe' 'http://127.0.0.1/a"b' 'javascript:alert(1)'; do
        reset_world
        descriptor fw.txt fw_1_30.exe "$info"
        launch_to_question || true
        probe click "$title" 1
        within 30000 question_up "$(message 1033 134)" || true
        probe click "$title" 2
        check "information address $info not opened" test ! -s "$world/launched.log"
    done
}

# 11. A package that dies before its marker: message 150; nothing half-installed later.
scenario_11() {
    reset_world
    descriptor fw.txt fw_1_30.exe
    launch_to_question QM_PACKAGE_MODE=crash || true
    probe click "$title" 1
    within 30000 question_up "$(message 1033 134)" || true
    probe click "$title" 1
    check "crashed package reports message 150" within 30000 question_up "$(message 1033 150)"
    probe click "$title" 1 || true
    check "crashed package leaves the firmware folder alone" carried_untouched
    check "crashed package is not marked staged" value_is OnlineFwPartialInstalled 0
    links error.txt 404/qm.txt
    stop_program
    start_program
    within 30000 window_shown || true
    check "next start: the firmware folder still carries 1.24" carried_untouched
    check "next start: nothing staged is completed" value_is OnlineFwInstalled 0
}

# 12. Silent start with the server up and an offer: the callout; Yes runs the download flow
# without the first question.
scenario_12() {
    reset_world
    descriptor fw.txt slow/fw_1_30.exe
    stop_program
    start_program -- -silent
    callout=">$(message 1033 166 "Tembly ZQ4MKT")"
    callout_up() { probe windows "$callout" | awk -F'\t' '$2 == 1' | grep -q .; }
    check "silent start slides the callout in" within 30000 callout_up
    callout_texts() {
        local texts
        texts=$(probe controls "$callout")
        grep -qF "$(message 1033 145)" <<<"$texts" &&
            awk -F'\t' '$1 == 1036' <<<"$texts" | grep -qF "$(message 1033 130)" &&
            awk -F'\t' '$1 == 1037' <<<"$texts" | grep -qF "$(message 1033 131)"
    }
    check "callout shows 166, 145 and the links 130 and 131" callout_texts
    shot callout
    probe click "$callout" 1036
    check "callout Yes opens the window" within 20000 window_shown
    check "callout Yes downloads without the question" \
        within 10000 shows_text 1019 "$(message 1033 107 1.30)"
    check "callout Yes leads to the install question" within 30000 dialog_shows "$(message 1033 134)"
    probe click "$title" 2

    # Silent start with the server down: nothing shown, the program stays.
    links 404/fw.txt 404/qm.txt
    "$source_dir/tools/update_server/serve.sh" stop "$world/server"
    stop_program
    start_program -- -silent
    sleep 6
    check "server down: silent start shows nothing" not window_shown
    check "server down: silent start keeps running" running
    stop_program
}

# QM_ONLINE_SCENARIOS="1 5" runs only those (each starts from a fresh world).
for scenario in ${QM_ONLINE_SCENARIOS:-1 2 3 4 5 6 7 8 9 10 11 12}; do
    "scenario_$scenario"
done
stop_program

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
