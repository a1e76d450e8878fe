#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test through
# ctest on Qt's offscreen platform; needs no display. In order:
#   1. the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#      in build-asan/ (SANITIZERS=0 skips it);
#   2. each fuzz harness for FUZZ_SECONDS seconds (default 30) in build-fuzz/,
#      when clang is there (FUZZ_SECONDS=0 skips it);
#   3. the program on Windows (scripts/windows-check.sh): cross-built with the
#      Qt kit of scripts/windows-kit.sh, which is built first when it is not
#      cached (about 35 minutes on two cores), the whole suite run as Windows
#      programs under Wine, the installer and the .zip made, and the installer
#      tried (WINDOWS=0 skips it);
#   4. the plain suite in build/, whose summary closes the output.
# Both suites include the Win32 units built with MinGW-w64 and run under Wine;
# the plain suite also checks the Debian package packed from its build with
# lintian.
# Exits non-zero when any of them fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

sanitizers="${SANITIZERS:-1}"
windows="${WINDOWS:-1}"
fuzz_seconds="${FUZZ_SECONDS:-30}"
jobs="$(nproc 2>/dev/null || echo 2)"
failed=()

install_packages "${packages[@]}" "${windows_check_packages[@]}" "${package_check_packages[@]}"
if [ "$fuzz_seconds" != 0 ]; then
    install_packages "${fuzz_packages[@]}" || echo "clang could not be installed; fuzzing is skipped" >&2
fi

export QT_QPA_PLATFORM=offscreen

if [ "$sanitizers" != 0 ]; then
    asan_dir="$root_dir/build-asan"
    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    # Any report ends the test process with an error, so the test fails.
    # Leaks are reported too, except those of the system libraries listed in
    # the suppressions.
    if cmake -S "$root_dir" -B "$asan_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARVIK_SANITIZE=ON >/dev/null &&
        cmake --build "$asan_dir" &&
        (cd "$asan_dir" &&
            ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
            LSAN_OPTIONS="suppressions=$root_dir/tests/sanitizers/lsan.supp:print_suppressions=0" \
            UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
            ctest --output-on-failure --timeout 600 -j "$jobs"); then
        echo "== Sanitizer run passed"
    else
        echo "== Sanitizer run FAILED" >&2
        failed+=("sanitizer run")
    fi
fi

if [ "$fuzz_seconds" != 0 ]; then
    if command -v clang++ >/dev/null 2>&1; then
        echo "== Fuzzing each harness for ${fuzz_seconds}s"
        if "$root_dir/scripts/fuzz.sh" "$fuzz_seconds" 2>&1 | grep -v -E '^#[0-9]+'; then
            echo "== Fuzzing found nothing"
        else
            echo "== Fuzzing FAILED" >&2
            failed+=("fuzzing")
        fi
    else
        echo "== clang++ is missing; fuzzing skipped"
    fi
fi

configure_and_build

if [ "$windows" != 0 ]; then
    echo "== The program on Windows"
    windows_status=0
    "$root_dir/scripts/windows-check.sh" --no-units --host-build "$build_dir" || windows_status=$?
    if [ "$windows_status" -eq 77 ]; then
        echo "== Windows check skipped: its tools are missing"
    elif [ "$windows_status" -ne 0 ]; then
        echo "== Windows check FAILED" >&2
        failed+=("Windows check")
    fi
fi

echo "== Tests"
status=0
(cd "$build_dir" && ctest --output-on-failure --timeout 300 -j "$jobs") || status=$?
if [ "${#failed[@]}" -gt 0 ]; then
    echo "FAILED: ${failed[*]}" >&2
    exit 1
fi
exit "$status"
