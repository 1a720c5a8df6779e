#!/usr/bin/env bash
# Installs what building and testing Quillmate needs on Debian 12 (as root), when missing.
set -euo pipefail
packages=(cmake ninja-build g++ googletest mingw-w64 g++-mingw-w64-i686-posix
          g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth imagemagick x11-utils
          fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
