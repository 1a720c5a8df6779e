#!/usr/bin/env bash
# End to end: the resident tray program under Wine, driven and read from outside as the shell,
# the user and other programs would: window texts and states, the notification-area icon (its
# picture read from a screenshot of Wine's stand-alone tray), registry values, processes.
#   tray_program_test.sh BUILD_DIR QUILLMATE_EXE WINPROBE_EXE UPGRADE_DLL PLAYER_PLUG_EXE
#                        RESOURCE_REMOVER_EXE
set -euo pipefail
build=$(realpath "$1")
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
upgrade_dll=$(realpath "$4")
plug_exe=$(realpath "$5")
remover_exe=$(realpath "$6")
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state

world="$build/e2e-tray-world"
artifacts="$build/artifacts"
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
title='Norvane Quillmate Tembly ZQ4MKT'
show_message='reg:{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_SHOW_DIALOG_MSG'
destroy_message='reg:{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_DESTROY_TRAY_ICON_MSG'
passed=0
failures=0
pid=

shot_prefix=tray
source "$source_dir/tests/e2e/harness.sh"
control() { controls | awk -F'\t' -v id="$1" '$1 == id {print; getline; if ($0 ~ /^\t/) print}'; }
enabled() { [[ $(control "$1" | head -1 | cut -f4) == "$2" ]]; }
shows_text() { control "$1" | grep -qF -- "$2"; }
list_empty() { [[ $(control 1004 | wc -l) -eq 1 ]]; }
list_disabled_and_empty() { enabled 1004 0 && list_empty; }
# A window of ours shows TEXT (a dialog over the main window comes first in z-order).
dialog_shows() { probe controls "$title" 2>/dev/null | grep -qF -- "$1"; }
menu_open() { probe windows | awk -F'\t' '$2 == 1 && $3 == "#32768"' | grep -q .; }
setting_differs() { [[ $(read_value OnlineCheckUpdate) != "$1" ]]; }
process_gone() { ! kill -0 "$1" 2>/dev/null; }

# The tray icon's picture, from the pixels of Wine's stand-alone notification area: 156 is
# blue with a green mark, 157 grey; "none" when no icon is there.
tray_icon() {
    local x y w h
    read -r x y w h < <(probe tray | head -1) || true
    if [[ -z "${x:-}" ]]; then
        echo none
        return
    fi
    local shot="$world/tray.png"
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$shot" >/dev/null
    count() {
        convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -alpha set -fuzz 15% \
            -transparent "$1" -alpha extract -negate -format '%[fx:int(mean*w*h+0.5)]' info:
    }
    local blue grey
    blue=$(count '#1769C2')
    grey=$(count '#9AA3AD')
    if [[ $blue -gt $grey ]]; then echo 156; else echo 157; fi
}
icon_is() { [[ $(tray_icon) == "$1" ]]; }

start_program() {
    "$QM_WINE" "$exe" "$@" &
    pid=$!
}
stop_program() {
    if running; then
        probe post "$title" "$destroy_message" 0 0 || true
        within 10000 ended || kill "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
    pid=
}
trap 'stop_program; plug reset' EXIT

# An installation with the firmware package 1.23 and the simulated library; online checks on,
# the update server addresses on a closed port: every probe fails at once.
rm -rf "$world"
mkdir -p "$artifacts" "$world/install/Firmware/PULO5"
printf '[FIRMWARE]\r\nFWTYPE=1\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=23\r\n' \
    >"$world/install/Firmware/PULO5/fw.ini"
cp "$upgrade_dll" "$world/install/"
while probe close "$title" 2>/dev/null; do probe gone "$title" 5000 || true; done
plug reset
# Every value an installation has, none left over from other suites.
"$QM_WINE" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
set_value QmRunPath "$(windows_path "$world/install")"
set_value QmFwFolder '\Firmware\PULO5\'
set_value QmFwInfo fw.ini
set_value FwType 1
set_value QMVersion 0100000001
set_value QMLanguage 1033
set_value OnlineCheckUpdate 1
set_value OnlineCheckPeriod 0
set_value OnlineLastCheckTime 0
for record in OnlineFwExist OnlineFwVerMajor OnlineFwVerMid OnlineFwVerMinor OnlineFwInstalled \
    OnlineFwPartialInstalled; do
    set_value "$record" 0
done
set_value OnlineFwName ''
for link in OnlineCheckLink OnlineCheckFwScdLink OnlineCheckQMLink OnlineCheckQMScdLink; do
    set_value "$link" 'http://127.0.0.1:9/fw.txt'
done

# 1. Start without a player: the window opens on the Update page with nothing to act on.
start_program
check "window opens" within 20000 window_shown
check "device list empty and disabled" list_disabled_and_empty
check "action button disabled" enabled 1008 0
check "tray icon shows no player" within 5000 icon_is 157
shot start-no-player

# Enter and Escape reach the window and end nothing.
probe post "$title" 0x100 13 0
probe post "$title" 0x100 27 0
sleep 1
check "Enter and Escape do nothing" window_shown

# 2. Plug the player with 1.20: list, status line, action button and icon follow.
plug version 1.20
plug plug normal
check "device list shows the player" within 3000 shows_text 1004 "Norvane Tembly ZQ4MKT"
check "status line names the player" within 3000 shows_text 1019 \
    "$(message 1033 109 "Tembly ZQ4MKT")"
check "status line names the versions" shows_text 1019 "$(message 1033 121 1.20 1.23)"
check "action button enabled" enabled 1008 1
check "tray icon shows the player" within 3000 icon_is 156
shot player-attached
plug unplug
check "unplug empties the list" within 3000 list_empty
check "unplug disables the action button" within 3000 enabled 1008 0
check "tray icon back to no player" within 3000 icon_is 157

# 3. Update: completed with message 181, then the page says the player is up to date.
plug plug normal
within 3000 enabled 1008 1 || true
probe click "$title" 1008
sleep 1
shot update-in-progress-1033
check "update reports completion" within 150000 dialog_shows "$(message 1033 181)"
shot update-completed
probe click "$title" 1 || true
check "player reports the carried version" within 10000 player_reports 1.23
plug unplug

# A failing library gives message 150.
plug failure library-error
plug version 1.20
plug plug normal
within 3000 enabled 1008 1 || true
probe click "$title" 1008
check "library error reports message 150" within 150000 dialog_shows "$(message 1033 150)"
probe click "$title" 1 || true
plug failure none
plug unplug

# 4. Recovery mode: the repair question at once; No leaves the Repair button enabled.
plug plug recovery
check "repair question appears" within 5000 dialog_shows "$(message 1033 138)"
shot repair-question
probe click "$title" 2 || true
check "Repair button stays enabled" within 3000 enabled 1008 1
plug unplug

# 5. Close to the tray, then a second start opens the first copy and ends by itself.
probe click "$title" 1009
check "close hides into the tray" within 5000 window_hidden
"$QM_WINE" "$exe" &
second=$!
check "second start opens the first copy" within 20000 window_shown
check "second start ends by itself" within 20000 process_gone "$second"
wait "$second" 2>/dev/null || true

# 6. Tray commands as the shell sends them: the callback message, then the menu command.
probe click "$title" 1009
within 5000 window_hidden || true
probe post "$title" 0x400 0 0x205
check "right click opens the tray menu" within 3000 menu_open
shot tray-menu
probe post "$title" 0x1F 0 0 # WM_CANCELMODE closes the menu
before=$(read_value OnlineCheckUpdate)
probe post "$title" 0x111 32775 0
check "toggle writes the check setting" within 3000 setting_differs "$before"
probe post "$title" 0x111 32775 0
probe post "$title" 0x400 0 0x203
check "double click launches the window" within 20000 window_shown
probe click "$title" 1009
within 5000 window_hidden || true
probe post "$title" 0x111 32772 0
check "exit asks with message 210" within 5000 dialog_shows "$(message 1033 210 "$title")"
probe click "$title" 2 || true
sleep 1
check "declined exit keeps running" running
probe post "$title" 0x111 32772 0
within 5000 dialog_shows "$(message 1033 210 "$title")" || true
probe click "$title" 1 || true
check "confirmed exit ends the program" within 10000 ended
check "exit removes the tray icon" within 3000 icon_is none
stop_program

# 7. Silent start: nothing shown, the icon is there, the process stays (retries run).
start_program -silent
check "silent start adds the icon" within 20000 icon_is 157
sleep 3
check "silent start shows no window" not window_shown
check "silent start keeps running" running
# 8. The destroy-tray-icon message from another process removes the icon and ends it.
probe post "$title" "$destroy_message" 0 0
check "destroy message ends the program" within 10000 ended
check "destroy message removes the icon" within 3000 icon_is none
stop_program

# 9. Arabic: the window and the listed texts mirrored; buttons, pictures and the link not.
# Arabic has no setting text of its own: it comes from the user's default language.
"$QM_WINE" reg delete "$key" /v QMLanguage /f /reg:32 >/dev/null 2>&1 || true
LANG=ar_EG.UTF-8 LC_ALL=ar_EG.UTF-8 start_program
within 20000 window_shown || true
styles=$(probe styles "$title")
mirrored() { awk -F'\t' -v id="$1" '$1 == id {print $2}' <<<"$styles"; }
rtl_ok=1
for id in 0 1003 1005 1019 1027 1028 1030 1031 1032 1033 1034 1035; do
    (( (0x$(mirrored $id) & 0x00502000) == 0x00502000 )) || { echo "  control $id not mirrored"; rtl_ok=0; }
done
(( (0x$(mirrored 1004) & 0x00103000) == 0x00103000 )) || { echo "  list not mirrored"; rtl_ok=0; }
for id in 1001 1006 1008 1009 1010 1018 1029; do
    (( (0x$(mirrored $id) & 0x00400000) == 0 )) || { echo "  control $id mirrored"; rtl_ok=0; }
done
check "Arabic mirrors the listed controls only" test $rtl_ok -eq 1
stop_program

# 10. Pictures of the pages with a player, in English, German and Arabic (build artifacts).
page_shots() { # LANGUAGE [UNIX_LOCALE]
    local language=$1 locale=${2:-}
    plug plug normal
    if [[ -n "$locale" ]]; then LANG=$locale LC_ALL=$locale start_program; else start_program; fi
    within 20000 window_shown || true
    within 5000 enabled 1008 1 || true
    shot "update-page-$language"
    probe click "$title" 1007 || true
    sleep 1
    shot "repair-page-$language"
    stop_program
    plug unplug
}
set_value QMLanguage 1033
page_shots 1033
set_value QMLanguage 1031
page_shots 1031
"$QM_WINE" reg delete "$key" /v QMLanguage /f /reg:32 >/dev/null 2>&1 || true
page_shots 1025 ar_EG.UTF-8
set_value QMLanguage 1033

# 11. An older model is referred to the media application, and the window stays without a player.
start_program
within 20000 window_shown || true
plug plug old-model
check "old model asks the old-model question" within 5000 dialog_shows "$(message 1033 212)"
shot old-model-question
probe click "$title" 2 || true
check "old model leaves the list empty" within 3000 list_disabled_and_empty
check "old model leaves the action button disabled" enabled 1008 0
check "old model keeps the no-player icon" icon_is 157
plug unplug
stop_program

# 12. A second start while the first copy ends: the first waits for its presence worker (held
# in the library's version read) with its window already gone; the second finds the mutex but
# no window, says so and ends; the first then ends cleanly and a later start runs as usual.
no_window() { ! probe windows "$title" | grep -q .; }
plug info-delay 8000
start_program
within 20000 window_shown || true
plug plug normal
sleep 1
probe post "$title" "$destroy_message" 0 0
check "the ending copy closes its window first" within 5000 no_window
check "the ending copy waits for its worker" running
"$QM_WINE" "$exe" &
second=$!
check "second start while the first ends says it runs" within 20000 dialog_shows "$(message 1033 146)"
probe click "$title" 1 || true
check "second start while the first ends ends" within 10000 process_gone "$second"
wait "$second" 2>/dev/null || true
check "the ending copy still ends" within 20000 ended
stop_program
plug info-delay 0
start_program
check "a start after the first ended opens the window" within 20000 window_shown
stop_program
plug unplug

# 13. Without its tray menu and two of its bitmaps the program still runs: no menu opens, the
# tray commands and the window still work.
stripped="$world/stripped/quillmate.exe"
mkdir -p "$world/stripped"
cp "$exe" "$stripped"
"$QM_WINE" "$remover_exe" "$(windows_path "$stripped")" 4:129 2:151 2:162
exe=$stripped start_program
check "program without menu and bitmaps opens its window" within 20000 window_shown
shot without-menu-and-bitmaps
probe post "$title" 0x400 0 0x205
sleep 1
check "right click without a menu opens none" not menu_open
check "program without a menu keeps running" running
probe post "$title" 0x111 32772 0
check "exit still asks without a menu" within 5000 dialog_shows "$(message 1033 210 "$title")"
probe click "$title" 1 || true
check "exit still ends the program without a menu" within 10000 ended
stop_program

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
