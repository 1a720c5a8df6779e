#!/usr/bin/env bash
# Installs what building and testing Quillmate needs on Debian 12 (as root), when missing.
# 32-bit Wine (wine32:i386) runs the 32-bit product build; it needs the i386 architecture.
# curl is the download benchmark's yardstick (bench/win32/download_bench.sh).
set -euo pipefail
packages=(cmake ninja-build g++ googletest mingw-w64 g++-mingw-w64-i686-posix
          g++-mingw-w64-x86-64-posix wine wine64 wine32:i386 xvfb xauth imagemagick x11-utils
          fonts-dejavu-core clang libclang-rt-14-dev nsis openssl curl)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
