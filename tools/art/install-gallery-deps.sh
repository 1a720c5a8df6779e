#!/usr/bin/env bash
# Fonts the gallery draws Chinese (simplified and traditional) and Thai texts with; the test
# suites do not need them.
set -euo pipefail
packages=(fonts-wqy-microhei fonts-tlwg-loma-ttf)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
sudo=
[[ $(id -u) -eq 0 ]] || sudo=sudo
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
