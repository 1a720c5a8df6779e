#!/usr/bin/env bash
# Puts the signed packages of the online tests on the update server and signs them with the
# build's test key (and, for the refusals, with a key of another maker):
#   sign_world.sh ROOT TEST_WORLD PRIVATE_KEY
# ROOT/sig/NAME.txt then holds each descriptor line "signature=...". Without a private key (a
# build without the test key) nothing is signed and the signed tests skip themselves.
set -euo pipefail
root=$1 world=$2 key=${3:-}
sign=$(dirname "$(realpath "$0")")/../../tools/sign-update.sh
rm -rf "$root/sig"
mkdir -p "$root/sig"
cp "$world/qm_test_package.exe" "$root/pkg_2_10.exe"
cp "$world/qm_test_installer.exe" "$root/Setup.exe"
[[ -n "$key" ]] || exit 0
other=$root/../other_key
[[ -f "$other/private.pem" ]] || "$sign" keygen "$other"
"$sign" sign "$key" firmware 0.2.10 "$root/pkg_2_10.exe" >"$root/sig/good.txt"
"$sign" sign "$other/private.pem" firmware 0.2.10 "$root/pkg_2_10.exe" >"$root/sig/other_key.txt"
"$sign" sign "$key" firmware 0.2.11 "$root/pkg_2_10.exe" >"$root/sig/other_version.txt"
"$sign" sign "$key" tool 0.9.1 "$root/Setup.exe" >"$root/sig/installer.txt"
