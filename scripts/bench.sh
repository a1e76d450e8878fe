#!/usr/bin/env bash
# Start-up benchmark: runs bench_startup (the real main window with a
# remembered game directory) and bench_minimal_window (a bare Qt Widgets
# window) alternately, RUNS times each (default 15), each until its window
# is painted, and prints the median wall time and peak memory of both and
# their ratios. Runs under Xvfb when it is installed, else on Qt's offscreen
# platform. Exits non-zero when the program misses its targets: at most 1.5
# times the wall time and 1.3 times the peak memory of the minimal window.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

runs="${RUNS:-15}"

install_packages "${packages[@]}" "${bench_packages[@]}"
cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" --target bench_startup bench_minimal_window >/dev/null

if [ -z "${BENCH_INNER:-}" ]; then
    if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
        exec env BENCH_INNER=xvfb xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
    fi
    [ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
fi
platform="${QT_QPA_PLATFORM:-xcb}"

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

# One run: wall time in microseconds and peak resident memory in KiB.
measure() {
    local program="$1" start end
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$results/rss" "$build_dir/tests/$program" 2>"$results/stderr" \
        || { cat "$results/stderr" >&2; echo "$program failed" >&2; exit 1; }
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $(cat "$results/rss")" >>"$results/$program"
}

# Warm the file cache once, then alternate so that both see the same machine.
measure bench_startup
measure bench_minimal_window
: >"$results/bench_startup"
: >"$results/bench_minimal_window"
for _ in $(seq "$runs"); do
    measure bench_startup
    measure bench_minimal_window
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for program in bench_startup bench_minimal_window; do
    read -r "wall_$program" < <(cut -d' ' -f1 "$results/$program" | median)
    read -r "rss_$program" < <(cut -d' ' -f2 "$results/$program" | median)
done

awk -v runs="$runs" -v platform="$platform" \
    -v pw="$wall_bench_startup" -v pm="$rss_bench_startup" \
    -v mw="$wall_bench_minimal_window" -v mm="$rss_bench_minimal_window" 'BEGIN {
    printf "Start-up until painted, median of %d runs each (platform %s)\n", runs, platform
    printf "  %-22s %10s %14s\n", "", "wall", "peak memory"
    printf "  %-22s %7.1f ms %11.1f MiB\n", "program", pw / 1000, pm / 1024
    printf "  %-22s %7.1f ms %11.1f MiB\n", "minimal window", mw / 1000, mm / 1024
    printf "  %-22s %8.2fx %13.2fx\n", "ratio", pw / mw, pm / mm
    met = (pw <= 1.5 * mw) && (pm <= 1.3 * mm)
    printf "Target (at most 1.5x wall, 1.3x memory): %s\n", met ? "met" : "MISSED"
    exit met ? 0 : 1
}'
