#!/usr/bin/env bash
# Open and Save benchmark: counts the instructions that reading a mod file
# into the record, and checking, composing and writing it back, take for
# files of 1 KiB, 64 KiB, 512 KiB and 1 MiB (bench_io under valgrind's
# callgrind, which counts the same on a busy machine as on an idle one; only
# the work after the file is chosen is counted). Prints instructions a byte
# and exits non-zero when the cost does not grow linearly: a byte of the
# 1 MiB file may cost at most 10% more than a byte of the 64 KiB one. A mod
# file is under 1 KiB, so no figure a byte is a target.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_packages "${packages[@]}" valgrind
cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" --target bench_io >/dev/null

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

# Instructions counted inside benchRead or benchWrite for one file size.
count() {
    local mode="$1" bytes="$2" function out
    function="$([ "$mode" = read ] && echo benchRead || echo benchWrite)"
    out="$results/$mode-$bytes"
    valgrind --tool=callgrind --collect-atstart=no --toggle-collect="$function*" \
        --callgrind-out-file="$out" "$build_dir/tests/bench_io" "$mode" "$bytes" >"$results/log" 2>&1 \
        || { cat "$results/log" >&2; echo "bench_io $mode $bytes failed" >&2; exit 1; }
    awk '/^summary:/ { print $2 }' "$out"
}

sizes=(1024 65536 524288 1048576)
printf "Open and Save, instructions counted by callgrind\n"
printf "  %8s %14s %8s %14s %8s\n" "file" "read" "a byte" "write" "a byte"
declare -A read write
for bytes in "${sizes[@]}"; do
    read[$bytes]="$(count read "$bytes")"
    write[$bytes]="$(count write "$bytes")"
    awk -v b="$bytes" -v r="${read[$bytes]}" -v w="${write[$bytes]}" 'BEGIN {
        printf "  %5d KiB %14d %8.1f %14d %8.1f\n", b / 1024, r, r / b, w, w / b }'
done

awk -v r64="${read[65536]}" -v w64="${write[65536]}" -v rm="${read[1048576]}" -v wm="${write[1048576]}" 'BEGIN {
    mib = 1048576; kib64 = 65536
    linear = (rm / mib <= 1.1 * r64 / kib64) && (wm / mib <= 1.1 * w64 / kib64)
    printf "Target: linear, 1 MiB at most 1.1x the cost a byte of 64 KiB (read %.2fx, write %.2fx): %s\n",
        (rm / mib) / (r64 / kib64), (wm / mib) / (w64 / kib64), linear ? "met" : "MISSED"
    exit linear ? 0 : 1
}'
