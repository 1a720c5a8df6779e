#!/usr/bin/env bash
# The firmware download path under Wine beside curl, both fetching the same 64 MB package from
# the same local update server in the same run; prints each round and the ratio of the best.
#   download_bench.sh BUILD_DIR      (a Windows build with `bench_download` and the server built)
set -euo pipefail
build=$(realpath "$1")
source_dir=$(dirname "$(realpath "$0")")/../..
source "$source_dir/tools/wine/env.sh"
qm_use_prefix "$build/wine-prefix"
qm_prefix_ensure
qm_display_from_state
state="$build/bench-download"
mkdir -p "$state/root"
head -c $((64 * 1024 * 1024)) /dev/urandom >"$state/root/fw_64mb.exe"
"$source_dir/tools/sign-update.sh" sign "$build/update_key/private.pem" firmware 0.1.30 \
    "$state/root/fw_64mb.exe" >"$state/signature.txt"
"$source_dir/tools/update_server/serve.sh" start "$state" \
    "$build/update_server_host/qm_update_server" "$state/root"
trap '"$source_dir/tools/update_server/serve.sh" stop "$state"; rm -f "$state/root/fw_64mb.exe"' EXIT
url="http://127.0.0.1:$(cat "$state/port")/fw_64mb.exe"

best_curl=
for round in 1 2 3; do
    seconds=$(curl -s -o "$state/curl.bin" -w '%{time_total}' "$url")
    echo "curl round $round: $seconds s"
    best_curl=$(awk -v a="$seconds" -v b="${best_curl:-1e9}" 'BEGIN {print (a < b) ? a : b}')
done
rm -f "$state/curl.bin"
output=$("$QM_WINE" "$build/bench/bench_download.exe" "$url" \
    "Z:${state//\//\\}\\signature.txt" 3 | tr -d '\r')
echo "$output"
best_tool=$(awk '/ ok, / {s = $4 + 0; if (best == "" || s < best) best = s} END {print best}' \
    <<<"$output")
awk -v t="$best_tool" -v c="$best_curl" 'BEGIN {
    printf "best: tool %.3f s (%.0f MB/s), curl %.3f s (%.0f MB/s), tool/curl time %.2f\n",
        t, 67.108864 / t, c, 67.108864 / c, t / c }'
