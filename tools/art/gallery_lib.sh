# Shared by the gallery's drivers, sourced after the Wine environment and `probe_exe` are set:
# the window probe, quiet, and polling a condition for up to SECONDS.
probe() { "$QM_WINE" "$probe_exe" "$@" 2>/dev/null; }
within() {
    local end=$((SECONDS + $1))
    shift
    while ! "$@"; do
        [[ $SECONDS -ge $end ]] && return 1
        sleep 0.3
    done
}
