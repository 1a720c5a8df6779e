#!/usr/bin/env bash
# Pictures of every window and state in every language, and one index page that shows them
# side by side per language. Builds what it needs in the 32-bit product tree, runs in a Wine
# prefix of its own (with fonts for Chinese and Thai, tools/art/gallery_fonts.sh), drives the real
# program with the simulated player, the dialogs through the window-test driver, and the setup
# program and its uninstaller.
#   tools/art/gallery.sh [BUILD_DIR]   (default build/i686; output BUILD_DIR/gallery/index.html)
# Takes several minutes; not part of the test run.
set -euo pipefail
root=$(realpath "$(dirname "$(realpath "$0")")/../..")
build=$(realpath -m "${1:-$root/build/i686}")
out=$build/gallery
prefix=$build/gallery-prefix

"$root/tools/art/install-gallery-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQM_UPDATE_TEST_KEY=ON >/dev/null
cmake --build "$build" -j2 --target quillmate winprobe player_plug norvane_upgrade_sim ui_tests \
    setup qm_running_copy >/dev/null
exe=$build/quillmate.exe
probe_exe=$build/tools/winprobe/winprobe.exe
plug_exe=$build/sim/player_plug.exe
upgrade_dll=$build/sim/NorvaneUpgradeDll.dll
ui_tests=$build/tests/ui_win32/ui_tests.exe
setup_exe=$build/quillmate-setup.exe
stand_in_exe=$build/tests/qm_running_copy.exe

source "$root/tools/wine/env.sh"
# A fresh session, so that every program reads the gallery's font settings.
restart() {
    "$root/tools/wine/session.sh" stop "$prefix"
    unset DISPLAY
    "$root/tools/wine/session.sh" start "$prefix"
    qm_display_from_state
}
qm_use_prefix "$prefix"
restart
trap '"$root/tools/wine/session.sh" stop "$prefix"' EXIT

rm -rf "$out"
mkdir -p "$out/raw" "$out/png"
languages=$(ls "$root/res/lang" | sed 's/-.*//' | sort -n)

# 1. The dialogs, through the window-test driver: the text-fit test keeps a picture of each
#    dialog in each language while it is shown at full size.
fonts=$root/tools/art/gallery_fonts.sh
"$fonts" 1033
QM_SCREENSHOT_DIR=$out/raw "$QM_WINE" "$ui_tests" --gtest_filter='TextFit.*:StartScreen.Shows*' \
    >"$out/ui_tests.log" 2>&1 || echo "some window tests failed; see $out/ui_tests.log"
# Thai windows have a font of their own (see gallery_fonts.sh).
"$fonts" 1054
QM_SCREENSHOT_DIR=$out/raw-1054 "$QM_WINE" "$ui_tests" --gtest_filter='TextFit.*' \
    >"$out/ui_tests-1054.log" 2>&1 || echo "some window tests failed; see $out/ui_tests-1054.log"
cp "$out"/raw-1054/*-1054.bmp "$out/raw/"
for bmp in "$out"/raw/*.bmp; do convert "$bmp" "$out/png/$(basename "${bmp%.bmp}").png"; done

# 2. The real program with the simulated player, in each language.
"$root/tools/art/gallery_program.sh" "$out/png" "$exe" "$probe_exe" "$plug_exe" "$upgrade_dll" \
    $languages

# 3. The setup program's and the uninstaller's pages, in each language.
"$root/tools/art/gallery_setup.sh" "$out/png" "$setup_exe" "$probe_exe" "$stand_in_exe" $languages

# 4. The index page.
"$root/tools/art/gallery_index.sh" "$out" "$root/res/lang" >"$out/index.html"
echo "gallery: $out/index.html"
