#!/usr/bin/env bash
# Runs Quillmate under Wine in its demo world, as a user meets it: the setup program installs it
# silently into a prefix of its own inside the build tree, the check addresses point at the
# local update server (which offers newer firmware), the simulated player is attached over the
# simulated upgrade library, and the program starts the way the system starts it at log-on (the
# installed autostart command) on a Wine desktop with a taskbar and notification area.
#   run-demo.sh [--language ID] [--player normal|recovery|none] [--version X.YY]
# Without --language the setup program chooses as the program does (an earlier choice stays).
# Without a display of your own the demo runs on a virtual screen; take a look with
#   tools/wine/screenshot.sh build/i686/demo-prefix shot.png
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
language="" player=normal version=1.23
while [[ $# -gt 0 ]]; do
    case "$1" in
    --language) language=$2; shift 2 ;;
    --player) player=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    *) echo "usage: run-demo.sh [--language ID] [--player normal|recovery|none] [--version X.YY]" >&2
       exit 2 ;;
    esac
done

tools/install-deps.sh
# The setup program, like the product, is 32-bit.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "The demo needs 32-bit programs, which this machine cannot execute." >&2
    exit 1
fi
build=$(realpath -m "${QM_BUILD_DIR:-build}/i686")
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQM_UPDATE_TEST_KEY=ON >/dev/null
cmake --build "$build" --target setup player_plug qm_test_package update_server_host

source tools/wine/env.sh
prefix="$build/demo-prefix"
tools/wine/session.sh start "$prefix"
qm_use_prefix "$prefix"
qm_display_from_state

# The installation, as an administrator deploys it.
"$QM_WINE" "$build/quillmate-setup.exe" /S ${language:+/LANG=$language}
reg_value() { # KEY NAME: the text of a value in the installer's registry view
    "$QM_WINE" reg query "$1" /v "$2" /reg:32 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $2    REG_SZ    //p"
}
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
set_value() { "$QM_WINE" reg add "$key" /v "$1" /d "$2" /f /reg:32 >/dev/null 2>&1; }

# The maker's web server: descriptors offering firmware 1.30 and the package that installs it.
world="$build/demo/update_world"
mkdir -p "$world/root"
cp "$build/test_world/qm_test_package.exe" "$world/root/fw_1_30.exe"
tools/update_server/serve.sh start "$world" "$build/update_server_host/qm_update_server" \
    "$world/root"
trap 'tools/update_server/serve.sh stop "$world"' EXIT
base="http://127.0.0.1:$(cat "$world/port")"
# Signed with the build's own key, as the maker signs what its server offers.
signature=$(tools/sign-update.sh sign "$build/update_key/private.pem" firmware 0.1.30 \
    "$world/root/fw_1_30.exe")
printf 'version=V1.30\r\nurl=%s/fw_1_30.exe\r\ninfo=%s/news.htm\r\n%s\r\n' "$base" "$base" \
    "$signature" >"$world/root/fw.txt"
printf '<html><body><h1>Firmware 1.30</h1></body></html>\n' >"$world/root/news.htm"
set_value OnlineCheckLink "$base/fw.txt"
set_value OnlineCheckFwScdLink "$base/404/fw.txt"
set_value OnlineCheckQMLink "$base/qm.txt"
set_value OnlineCheckQMScdLink "$base/404/qm.txt"

plug() { "$QM_WINE" "$build/sim/player_plug.exe" "$@" >/dev/null; }
plug reset
plug version "$version"
[[ "$player" == none ]] || plug plug "$player"

# What the system runs at log-on: the installed autostart command, program and arguments.
command=$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' 'Norvane Quillmate')
program=${command#\"}
program=${program%%\"*}
arguments=${command##*\" }
echo "Quillmate runs on display $DISPLAY (prefix $prefix); update server at $base."
echo "Installed in $(reg_value "$key" QmRunPath); started as at log-on: $command"
echo "Attach or detach the player meanwhile with:"
echo "  tools/wine/run.sh --prefix $prefix $build/sim/player_plug.exe plug|unplug|status"
"$QM_WINE" explorer /desktop=Quillmate,1024x768 "$program" $arguments || true
tools/wine/session.sh stop "$prefix"
