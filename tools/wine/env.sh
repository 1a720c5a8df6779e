# Shared set-up of the Wine harness; sourced by the other scripts here.
# A prefix lives inside a build tree and is made once; nothing outside it is touched.

# The 64-bit loader: machines that cannot execute 32-bit Linux programs still run it.
if [[ -z "${QM_WINE:-}" ]]; then
    if [[ -x /usr/lib/wine/wine64 ]]; then QM_WINE=/usr/lib/wine/wine64; else QM_WINE=wine; fi
fi
if [[ -z "${QM_WINESERVER:-}" ]]; then
    if [[ -x /usr/lib/wine/wineserver64 ]]; then QM_WINESERVER=/usr/lib/wine/wineserver64
    else QM_WINESERVER=wineserver; fi
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts; shortcuts that programs create stay inside the prefix
# (no menu entries in the Linux user's home).
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

qm_use_prefix() {
    export WINEPREFIX=$(realpath -m "$1")
    QM_STATE="$WINEPREFIX.state"
    mkdir -p "$QM_STATE"
}

# Creates the prefix once: Windows 7 (a supported system), no window-manager stalls.
qm_prefix_ensure() {
    [[ -f "$WINEPREFIX/.quillmate-ready" ]] && return 0
    (
        flock 9
        [[ -f "$WINEPREFIX/.quillmate-ready" ]] && exit 0
        rm -rf "$WINEPREFIX"
        WINEARCH=win64 "$QM_WINE" wineboot -i >/dev/null 2>&1
        "$QM_WINE" reg add 'HKCU\Software\Wine' /v Version /d win7 /f >/dev/null 2>&1
        "$QM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$QM_WINESERVER" -w
        touch "$WINEPREFIX/.quillmate-ready"
    ) 9>"$QM_STATE/prefix.lock"
}

# Uses the display of the running session, else the harness's Xvfb, else none.
qm_display_from_state() {
    if [[ -z "${DISPLAY:-}" && -f "$QM_STATE/display" ]]; then
        export DISPLAY=$(cat "$QM_STATE/display")
    fi
}
