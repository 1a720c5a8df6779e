# Shared by the end-to-end scenarios of the real program: driving it through winprobe and the
# plug tool, the registry in the installer's view, the catalogue's texts, counted checks with
# screenshots. Sourced after the script has set probe_exe, plug_exe, key, title, build,
# artifacts, source_dir and shot_prefix; counts into `passed` and `failures`.
probe() { "$QM_WINE" "$probe_exe" "$@"; }
plug() { "$QM_WINE" "$plug_exe" "$@" >/dev/null; }
windows_path() { echo "Z:${1//\//\\}"; }
set_value() { "$QM_WINE" reg add "$key" /v "$1" /d "$2" /f /reg:32 >/dev/null 2>&1; }
read_value() {
    "$QM_WINE" reg query "$key" /v "$1" /reg:32 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $1    REG_SZ    //p"
}
# Message ID of language LANG from the catalogue's source, with "%s" fills in order.
message() {
    local text
    text=$(grep -P "^$2\t" "$source_dir/res/lang/$1"-*.txt | cut -f2-)
    text=${text//\{SUPPORT_HOST\}/support.norvane.example}
    for fill in "${@:3}"; do text=${text/\%s/$fill}; done
    printf '%s' "$text"
}

ok() { echo "ok   $1"; passed=$((passed + 1)); }
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
    "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$artifacts/$shot_prefix-FAIL-$2.png" || true
}
check() { # name condition...
    local name=$1
    shift
    if "$@"; then ok "$name"; else fail "$name" "${name// /-}"; fi
}
shot() { "$source_dir/tools/wine/screenshot.sh" "$build/wine-prefix" "$artifacts/$shot_prefix-$1.png" || true; }

# Polls a condition for up to MS milliseconds.
within() {
    local ms=$1
    shift
    local end=$((SECONDS + (ms + 999) / 1000))
    while ! "$@"; do
        [[ $SECONDS -ge $end ]] && return 1
        sleep 0.2
    done
}

# The main window's controls; `control ID` prints the line of one control.

not() { ! "$@"; }
controls() { probe controls "$title" 2>/dev/null || true; }
window_shown() { probe windows "$title" | awk -F'\t' '$2 == 1 && $3 == "#32770"' | grep -q .; }
window_hidden() { ! window_shown && probe windows "$title" | grep -q .; }
dialogs_shown() { probe windows "$title" | awk -F'\t' '$2 == 1 && $3 == "#32770"' | wc -l; }
running() { [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; }
ended() { ! running; }
player_reports() { "$QM_WINE" "$plug_exe" status | grep -qF -- "$1"; }
