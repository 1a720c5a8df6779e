#!/usr/bin/env bash
# Checks that the release files, quillmate.exe and quillmate-setup.exe, come out byte for byte
# the same from the same sources.
#   check-reproducible.sh                  two clean clones of HEAD in two different folders,
#                                          each built from scratch (32-bit product build; a few
#                                          minutes), then compared
#   check-reproducible.sh --tree BUILD     cheap check of one build tree: the program's PE time
#                                          stamp is zero, and the setup program built again
#                                          with fresh file times of its built inputs is the same
# Prints the SHA-256 of the files; exit code 0 when they agree.
set -euo pipefail
source_dir=$(dirname "$(realpath "$0")")/../..
release_files=(quillmate.exe quillmate-setup.exe SHA256SUMS)

pe_time_stamp() { # the PE header's TimeDateStamp, in hexadecimal
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx4 -j$((pe + 8)) -N4 "$1" | tr -d ' '
}

same_tree() {
    local build=$1 saved
    saved=$(mktemp -d)
    [[ "$(pe_time_stamp "$build/quillmate.exe")" == 00000000 ]] ||
        { echo "quillmate.exe carries a link time stamp"; rm -rf "$saved"; return 1; }
    cp "$build/quillmate-setup.exe" "$saved/"
    sleep 1
    touch "$build/quillmate.exe" "$build/tools/installer/qm_setup_probe.exe" \
        "$build/sim/NorvaneUpgradeDll.dll"
    cmake --build "$build" --target setup >/dev/null
    local result=0
    cmp "$saved/quillmate-setup.exe" "$build/quillmate-setup.exe" || result=1
    rm -rf "$saved"
    (cd "$build" && sha256sum -c SHA256SUMS) || result=1
    return $result
}

two_clones() {
    local commit work result=0
    commit=$(git -C "$source_dir" rev-parse HEAD)
    work=$(mktemp -d /tmp/quillmate-reproducible.XXXXXX)
    for side in first second; do
        git clone -q --no-local "$source_dir" "$work/$side"
        git -C "$work/$side" checkout -q "$commit"
        cmake -S "$work/$side" -B "$work/$side/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
            -DQM_BUILD_TESTS=OFF >/dev/null
        cmake --build "$work/$side/build" --target setup -j2 >/dev/null
    done
    for file in "${release_files[@]}"; do
        if cmp -s "$work/first/build/$file" "$work/second/build/$file"; then
            echo "same       $file"
        else
            echo "DIFFERENT  $file"
            result=1
        fi
    done
    echo "commit $commit:"
    cat "$work/first/build/SHA256SUMS"
    rm -rf "$work"
    return $result
}

case "${1:-}" in
"") two_clones ;;
--tree) same_tree "$(realpath "$2")" ;;
*) echo "usage: check-reproducible.sh [--tree BUILD]" >&2; exit 2 ;;
esac
