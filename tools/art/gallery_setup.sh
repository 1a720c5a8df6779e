#!/usr/bin/env bash
# The setup program's and the uninstaller's pages for the gallery, driven as a user goes through
# them: the language page once (its texts are the same in every language; the list shows every
# language's own name), then in each language the welcome, folder, progress and finish pages,
# the message about a copy that does not end, and the uninstaller's confirmation and completed
# pages. A stand-in copy that does not end holds the progress page (the installation itself
# takes a fraction of a second); the program started from the finish page is ended by the
# uninstaller. Environment: the gallery's prefix and display (tools/art/gallery.sh).
#   gallery_setup.sh OUT_DIR SETUP_EXE WINPROBE_EXE STAND_IN_EXE LANGUAGE...
set -euo pipefail
out=$1
setup=$(realpath "$2")
probe_exe=$(realpath "$3")
stand_in=$(realpath "$4")
shift 4
root=$(realpath "$(dirname "$(realpath "$0")")/../..")
source "$root/tools/wine/env.sh"
source "$root/tools/art/gallery_lib.sh"

product_key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate'
uninstaller="$WINEPREFIX/drive_c/Program Files (x86)/Norvane/Quillmate/uninstall.exe"
stand_in_pid=

# The title of the shown wizard window (installer and uninstaller titles differ per language).
wizard_title() {
    probe windows | awk -F'\t' '$2 == 1 && $3 == "#32770" && /Quillmate/ {print $4; exit}'
}
shown() { [[ -n $(wizard_title) ]]; }
gone() { ! shown; }
# The shown page has a control with this id (a wizard page is a dialog inside the window).
has_control() { probe controls "$(wizard_title)" | awk -F'\t' -v id="$1" '$1 == id && $3 == 1' | grep -q .; }
button_enabled() {
    probe controls "$(wizard_title)" | awk -F'\t' -v id="$1" '$1 == id {print $4; exit}' | grep -qx 1
}
two_windows() { [[ $(probe windows | awk -F'\t' '$2 == 1 && $3 == "#32770" && /Quillmate/' | wc -l) -ge 2 ]]; }
# The topmost shown window of ours, cut out of the screen; EXTRA more rows below it (an open
# list), with the empty screen under a short list cut off again.
shot() {
    local x y w h
    read -r x y w h < <(probe rect "$(wizard_title)") || return 0
    import -display "$DISPLAY" -window root -crop "${w}x$((h + ${2:-0}))+${x}+${y}" +repage \
        "$out/$1.png"
    [[ ${2:-0} -eq 0 ]] && return 0
    local rows
    rows=$(convert "$out/$1.png" -resize 1x! -depth 8 txt:- |
        awk -F'[,:]' '!/^#/ && !/#000000/ {last = $2} END {print last + 1}')
    convert "$out/$1.png" -crop "${w}x${rows}+0+0" +repage "$out/$1.png"
}
stop_stand_in() {
    [[ -n "$stand_in_pid" ]] || return 0
    kill "$stand_in_pid" 2>/dev/null || true
    wait "$stand_in_pid" 2>/dev/null || true
    stand_in_pid=
}
trap stop_stand_in EXIT

# The language page, its list open; NAME_SUFFIX tells the font set it is drawn with.
language_page() {
    "$QM_WINE" "$setup" >/dev/null 2>&1 &
    local pid=$!
    within 20 shown || { echo "  no language page"; return 0; }
    probe send "$(wizard_title)" 1002 0x14F 1 0 >/dev/null # CB_SHOWDROPDOWN
    sleep 0.5
    shot "setup-language$1" 300
    probe send "$(wizard_title)" 1002 0x14F 0 0 >/dev/null
    probe click "$(wizard_title)" 2 || true
    wait "$pid" 2>/dev/null || true
}

install_pages() {
    "$QM_WINE" "$stand_in" deaf >/dev/null 2>&1 &
    stand_in_pid=$!
    "$QM_WINE" "$setup" "/LANG=$1" >/dev/null 2>&1 &
    local pid=$!
    within 20 shown || { echo "  no setup window"; stop_stand_in; return 0; }
    sleep 0.5
    shot "setup-welcome-$1"
    probe click "$(wizard_title)" 1 || true
    within 10 has_control 1019 || true # the folder's edit field
    sleep 0.5
    shot "setup-folder-$1"
    probe click "$(wizard_title)" 1 || true
    sleep 2
    shot "setup-progress-$1"
    # After ten seconds the setup program asks to retry or cancel.
    if within 20 two_windows; then
        sleep 0.5
        shot "setup-still-running-$1"
        stop_stand_in
        probe click "$(wizard_title)" 4 || true # IDRETRY
    fi
    stop_stand_in
    within 20 has_control 1203 || true # the finish page's run box
    sleep 0.5
    shot "setup-finish-$1"
    probe click "$(wizard_title)" 1 || true
    wait "$pid" 2>/dev/null || true
}

uninstall_pages() {
    [[ -f "$uninstaller" ]] || { echo "  no uninstaller"; return 0; }
    # The uninstaller runs a copy of itself from the temporary folder and ends at once.
    "$QM_WINE" "$uninstaller" >/dev/null 2>&1 || true
    within 20 shown || { echo "  no uninstaller window"; return 0; }
    sleep 0.5
    shot "uninstall-confirm-$1"
    probe click "$(wizard_title)" 1 || true
    within 5 has_control 1016 || true # the progress page's details list
    within 20 button_enabled 1 || true
    sleep 0.5
    shot "uninstall-done-$1"
    probe click "$(wizard_title)" 1 || true
    within 10 gone || true
}

mkdir -p "$out"
"$root/tools/art/gallery_fonts.sh" 1033
language_page ""
"$root/tools/art/gallery_fonts.sh" 1054
language_page "-1054"
for language in "$@"; do
    echo "setup pages in $language"
    "$root/tools/art/gallery_fonts.sh" "$language"
    # No earlier installation: the folder page offers the default folder.
    "$QM_WINE" reg delete "$product_key" /f /reg:32 >/dev/null 2>&1 || true
    install_pages "$language"
    uninstall_pages "$language"
done
