#!/usr/bin/env bash
# The real program's windows and states for the gallery, one run per language, driven as the
# end-to-end tests drive it: the simulated player, winprobe, registry values. Sourced
# environment: the gallery's prefix and display (tools/art/gallery.sh).
#   gallery_program.sh OUT_DIR QUILLMATE_EXE WINPROBE_EXE PLAYER_PLUG_EXE UPGRADE_DLL LANGUAGE...
set -euo pipefail
out=$1
exe=$(realpath "$2")
probe_exe=$(realpath "$3")
plug_exe=$(realpath "$4")
upgrade_dll=$(realpath "$5")
shift 5
root=$(realpath "$(dirname "$(realpath "$0")")/../..")
source "$root/tools/wine/env.sh"
source "$root/tools/art/gallery_lib.sh"

key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
title='~Quillmate'
destroy_message='reg:{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_DESTROY_TRAY_ICON_MSG'
world=$(dirname "$out")/program-world
pid=

plug() { "$QM_WINE" "$plug_exe" "$@" >/dev/null 2>&1 || true; }
set_value() { "$QM_WINE" reg add "$key" /v "$1" /d "$2" /f /reg:32 >/dev/null 2>&1; }
main_shown() { probe windows | awk -F'\t' '$2 == 1 && $3 == "#32770"' | grep -q Quillmate; }
dialogs_shown() { probe windows | awk -F'\t' '$2 == 1 && $3 == "#32770"' | grep -c Quillmate; }
two_windows() { [[ $(dialogs_shown) -ge 2 ]]; }
one_window() { [[ $(dialogs_shown) -eq 1 ]]; }
enabled() { probe controls "$title" | awk -F'\t' -v id="$1" '$1 == id {print $4}' | grep -qx 1; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

# The topmost visible window of ours, cut out of the screen.
shot() {
    local x y w h
    read -r x y w h < <(probe rect "$title") || return 0
    import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png"
}
# The whole screen, for windows that are not ours (the tray menu).
screen() { import -display "$DISPLAY" -window root "$out/$1.png"; }

stop_program() {
    [[ -n "$pid" ]] || return 0
    probe post "$title" "$destroy_message" 0 0 || true
    within 10 ended || kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}
trap 'stop_program; plug reset' EXIT

rm -rf "$world"
mkdir -p "$world/install/Firmware/PULO5" "$out"
printf '[FIRMWARE]\r\nFWTYPE=1\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=23\r\n' \
    >"$world/install/Firmware/PULO5/fw.ini"
cp "$upgrade_dll" "$world/install/"
"$QM_WINE" reg delete "$key" /f /reg:32 >/dev/null 2>&1 || true
set_value QmRunPath "Z:${world//\//\\}\\install"
set_value QmFwFolder '\Firmware\PULO5\'
set_value QmFwInfo fw.ini
set_value FwType 1
set_value QMVersion 0100000001
# No online checks: the pictures show the carried package's offer.
set_value OnlineCheckUpdate 0
set_value OnlineCheckPeriod 0
set_value OnlineLastCheckTime 0

for language in "$@"; do
    echo "program windows in $language"
    set_value QMLanguage "$language"
    "$root/tools/art/gallery_fonts.sh" "$language"
    plug reset
    "$QM_WINE" "$exe" &
    pid=$!
    within 30 main_shown || { echo "  no window"; stop_program; continue; }
    sleep 1
    shot "main-no-player-$language"

    # A player with 1.20 attached: the carried 1.23 is on offer.
    plug version 1.20
    plug plug normal
    within 5 enabled 1008 || true
    sleep 1
    shot "main-update-offer-$language"

    # The update: in progress, then its result message.
    probe click "$title" 1008 || true
    sleep 3
    shot "update-in-progress-$language"
    if within 150 two_windows; then
        sleep 1
        shot "update-result-$language"
        probe click "$title" 1 || true
    fi
    within 10 one_window || true
    plug unplug

    # Recovery mode: the repair question, then the Repair page with its instructions.
    plug plug recovery
    if within 10 two_windows; then
        sleep 1
        shot "repair-question-$language"
        probe click "$title" 2 || true
    fi
    within 10 one_window || true
    probe click "$title" 1007 || true
    sleep 1
    shot "repair-page-$language"

    # The repair itself: in progress, then its result.
    probe click "$title" 1008 || true
    sleep 3
    shot "repair-in-progress-$language"
    if within 150 two_windows; then
        sleep 1
        shot "repair-result-$language"
        probe click "$title" 1 || true
    fi
    within 10 one_window || true
    plug unplug

    # The tray menu, opened as the shell opens it.
    probe post "$title" 0x400 0 0x205 || true
    sleep 1
    screen "tray-menu-$language"
    probe post "$title" 0x1F 0 0 || true
    stop_program
done
