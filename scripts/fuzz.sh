#!/usr/bin/env bash
# Builds the fuzz harnesses with clang into build-fuzz/ (installing clang
# when it is missing) and runs each of them, one after another, for the given
# number of seconds (default 60). Each harness starts from its seed corpus in
# tests/fuzz/corpus/ and keeps what it finds in build-fuzz/corpus/, so the
# seeds in the repository stay as they are. Exits non-zero when a harness
# finds a crash; the input that caused it is left in build-fuzz/artifacts/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

seconds="${1:-60}"
fuzz_dir="${FUZZ_BUILD_DIR:-$root_dir/build-fuzz}"

install_packages "${packages[@]}" "${fuzz_packages[@]}"
cmake -S "$root_dir" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZARVIK_FUZZ=ON >/dev/null
cmake --build "$fuzz_dir" --target fuzzers

# Leak reports stay on: the readers allocate nothing that outlives an input.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

for corpus_seed in "$root_dir"/tests/fuzz/corpus/*/; do
    harness="$(basename "$corpus_seed")"
    [ -x "$fuzz_dir/tests/fuzz/fuzz_$harness" ] || { echo "== fuzz_$harness is not built; skipped"; continue; }
    corpus="$fuzz_dir/corpus/$harness"
    artifacts="$fuzz_dir/artifacts/$harness/"
    mkdir -p "$corpus" "$artifacts"
    dict=()
    [ -f "$root_dir/tests/fuzz/$harness.dict" ] && dict=(-dict="$root_dir/tests/fuzz/$harness.dict")
    echo "== fuzz_$harness for ${seconds}s"
    "$fuzz_dir/tests/fuzz/fuzz_$harness" "$corpus" "$corpus_seed" "${dict[@]}" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts"
done
