#!/usr/bin/env bash
# Start-up's search for the game benchmark (bench_discovery). Makes two homes
# with Wine prefixes whose registry files are of real size (20 MB system.reg,
# 5 MB user.reg): one with the user's own prefix only, the game recorded in it,
# and one with twelve prefixes (the user's, then those of Lutris, Bottles,
# CrossOver, PlayOnLinux and Heroic), the game recorded in the last. Times the
# search from each (median of RUNS, default 7, files in the page cache, as on a
# second start) and counts the instructions of the one-prefix search under
# valgrind's callgrind, which counts the same on a busy machine as on an idle
# one. Exits non-zero when a target is missed:
#   - twelve prefixes, the game in the last: at most 0.5 s;
#   - one prefix: no more instructions than before the launchers' prefixes
#     were searched (when each registry file was read whole).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

runs="${RUNS:-7}"
# Instructions of the one-prefix search before (the whole registry read into
# lines and every key indexed), counted the same way.
one_prefix_before=2791207915

install_packages "${packages[@]}" valgrind
cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build_dir" --target bench_discovery >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
bench="$build_dir/tests/bench_discovery"
"$bench" make "$work"

# Prints the median in ms; fails when the game is not found where it is.
median() {
    local out
    out="$("$bench" run "$work/$1" "$runs")" || { echo "bench_discovery found nothing in $1" >&2; exit 1; }
    case "$(head -n1 <<<"$out")" in
        */drive_c/GOG\ Games/Deus\ Ex) ;;
        *) echo "bench_discovery found the wrong folder in $1: $(head -n1 <<<"$out")" >&2; exit 1 ;;
    esac
    tail -n1 <<<"$out"
}
one_ms="$(median one)"
twelve_ms="$(median twelve)"

valgrind --tool=callgrind --collect-atstart=no --toggle-collect='FindInstalledGame*' \
    --callgrind-out-file="$work/one.callgrind" "$bench" run "$work/one" 1 >"$work/log" 2>&1 \
    || { cat "$work/log" >&2; echo "bench_discovery failed under callgrind" >&2; exit 1; }
one_instructions="$(awk '/^summary:/ { print $2 }' "$work/one.callgrind")"

awk -v one="$one_ms" -v twelve="$twelve_ms" -v oi="$one_instructions" -v before="$one_prefix_before" \
    -v runs="$runs" -v cores="$(nproc)" 'BEGIN {
    printf "Search for the game, median of %d runs (%d cores); instructions by callgrind\n", runs, cores
    printf "  %-36s %9.1f ms %12.1f M instructions (before: %.1f M)\n", "one prefix, the game in it", one, oi / 1e6, before / 1e6
    printf "  %-36s %9.1f ms\n", "twelve prefixes, the game in the last", twelve
    fast = twelve <= 500
    cheap = oi <= before
    printf "Target: twelve prefixes in at most 0.5 s: %s\n", fast ? "met" : "MISSED"
    printf "Target: one prefix no dearer than before: %s\n", cheap ? "met" : "MISSED"
    exit (fast && cheap) ? 0 : 1
}'
