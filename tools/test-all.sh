#!/usr/bin/env bash
# Builds every variant and runs every test suite:
#   native core with AddressSanitizer and UBSan (GoogleTest, CTest);
#   the 32-bit product build, whose core, Win32 and end-to-end suites run under 32-bit Wine;
#   the 64-bit Windows build, the same suites under 64-bit Wine (pointer-size portability);
#   then the release files, quillmate.exe and quillmate-setup.exe, from two clean clones.
set -euo pipefail
cd "$(dirname "$(realpath "$0")")/.."
build=${QM_BUILD_DIR:-build}
tools/install-deps.sh

configure() { cmake -S . -B "$build/$1" -G Ninja "${@:2}" >/dev/null; }

configure native -DQM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build/native"
ctest --test-dir "$build/native" --output-on-failure -j2

# Every parser under libFuzzer for a few seconds each (clang, AddressSanitizer + UBSan).
configure fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQM_FUZZ=ON \
    -DQM_SANITIZE=ON -DQM_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build/fuzz"
ctest --test-dir "$build/fuzz" --output-on-failure

configure i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DQM_UPDATE_TEST_KEY=ON
cmake --build "$build/i686"

configure x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DQM_UPDATE_TEST_KEY=ON
cmake --build "$build/x86_64"
# A kernel without 32-bit support cannot start the 32-bit loader; the product build is then
# compiled but not run here.
# The 64-bit tree checks pointer-size portability; the scenarios of the product itself (tray,
# online flows, setup) run on the 32-bit program users get, and on the 64-bit one only where
# that cannot run.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    ctest --test-dir "$build/i686" --output-on-failure
    ctest --test-dir "$build/x86_64" --output-on-failure \
        -E '^(e2e_tray_program|e2e_online_flows|setup_wine|setup_reproducible)$'
else
    echo "32-bit suites skipped: this machine cannot execute 32-bit programs (the 32-bit Wine loader does not start)."
    ctest --test-dir "$build/x86_64" --output-on-failure
fi
# Two clean clones of HEAD give the same release files (about a minute on two cores).
tools/release/check-reproducible.sh
