#!/usr/bin/env bash
# Runs Quillmate under Wine in its demo world: an installation made as the installer would make
# it, the simulated player attached over the simulated upgrade library, and the local update
# server offering newer firmware, all in a prefix of its own inside the build tree.
#   run-demo.sh [--language ID] [--player normal|recovery|none] [--version X.YY]
# Without a display of your own the demo runs on a virtual screen; take a look with
#   tools/wine/screenshot.sh build/x86_64/demo-prefix shot.png
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
build=$(realpath -m "${QM_BUILD_DIR:-build}/x86_64")
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQM_UPDATE_TEST_KEY=ON >/dev/null
cmake --build "$build" --target quillmate norvane_upgrade_sim player_plug qm_test_package \
    update_server_host

source tools/wine/env.sh
prefix="$build/demo-prefix"
tools/wine/session.sh start "$prefix"
qm_use_prefix "$prefix"
qm_display_from_state

# The installation: program, upgrade library and the carried firmware package description.
install="$build/demo/Quillmate"
mkdir -p "$install/Firmware/PULO5"
cp "$build/quillmate.exe" "$build/sim/NorvaneUpgradeDll.dll" "$install/"
printf '[FIRMWARE]\r\nFWTYPE=1\r\nMAJORVER=0\r\nMIDVER=1\r\nMINORVER=24\r\n' \
    >"$install/Firmware/PULO5/PULO5.ini"
key='HKLM\Software\Norvane\Tembly ZQ4MKT Quillmate\Pulo5'
set_value() { "$QM_WINE" reg add "$key" /v "$1" /d "$2" /f /reg:32 >/dev/null 2>&1; }
set_value QmRunPath "Z:${install//\//\\}"
set_value QmFwFolder 'Firmware\PULO5'
set_value QmFwInfo PULO5.ini
set_value FwType 1
if [[ -n "$language" ]]; then set_value QMLanguage "$language"
else "$QM_WINE" reg delete "$key" /v QMLanguage /f /reg:32 >/dev/null 2>&1 || true; fi

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
set_value OnlineCheckUpdate 1

plug() { "$QM_WINE" "$build/sim/player_plug.exe" "$@" >/dev/null; }
plug reset
plug version "$version"
[[ "$player" == none ]] || plug plug "$player"

echo "Quillmate runs on display $DISPLAY (prefix $prefix); update server at $base."
echo "Attach or detach the player meanwhile with:"
echo "  tools/wine/run.sh --prefix $prefix $build/sim/player_plug.exe plug|unplug|status"
"$QM_WINE" explorer /desktop=Quillmate,1024x768 "$install/quillmate.exe" || true
tools/wine/session.sh stop "$prefix"
