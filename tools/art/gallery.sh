#!/usr/bin/env bash
# Builds the x86_64 tree, runs the window tests under Wine and lays the screenshots they keep
# out as one picture per kind of window, plus the program's pictures.
#   tools/art/gallery.sh [BUILD_DIR]   (default build/x86_64; output BUILD_DIR/gallery)
set -euo pipefail
root=$(dirname "$(realpath "$0")")/../..
build=$(realpath -m "${1:-$root/build/x86_64}")
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target ui_tests >/dev/null
rm -rf "$build/artifacts/screenshots"
(cd "$build" && ctest -R '^ui_tests$' --output-on-failure >/dev/null)
out=$build/gallery
mkdir -p "$out"
for kind in message question about; do
    montage "$build"/artifacts/screenshots/"$kind"-*.bmp -tile 5x -geometry +6+6 -background '#D8DCE0' \
        "$out/$kind.png"
done
convert "$build/artifacts/screenshots/start-screen.bmp" "$out/start-screen.png"
pictures=$build/generated/pictures
montage "$pictures"/*.bmp -geometry '+8+8>' -background '#D8DCE0' -label '%f' "$out/pictures.png"
echo "gallery in $out"
