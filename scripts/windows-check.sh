#!/usr/bin/env bash
# The Windows-only code, proven on Linux: cross-compiles the Win32 units and
# their test with MinGW-w64, runs the test under Wine in a fresh, temporary
# prefix (it writes the game installer's registry key there as the installer
# would), then reads what Wine wrote through the program's Linux Wine
# registry reader. ctest runs it as windows_registry_under_wine.
#
#   scripts/windows-check.sh [--reader PATH] [--build-dir DIR]
#
# --reader: the native wine_prefix_reader (default build/tests/wine_prefix_reader)
# --build-dir: where the cross build goes (default build/tests/win32)
#
# Exit 0 when both halves pass, 77 when MinGW-w64 or Wine is missing (scripts/
# setup.sh installs them), anything else on failure. Needs no display.
set -euo pipefail

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
reader="$root_dir/build/tests/wine_prefix_reader"
cross_dir="$root_dir/build/tests/win32"
while [ $# -gt 0 ]; do
    case "$1" in
    --reader) reader="$2"; shift 2 ;;
    --build-dir) cross_dir="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
    esac
done

cxx=x86_64-w64-mingw32-g++-posix
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
missing=()
command -v "$cxx" >/dev/null 2>&1 || missing+=(g++-mingw-w64-x86-64-posix)
[ -x "$wine" ] && [ -x "$wineserver" ] || missing+=(wine64)
command -v cmake >/dev/null 2>&1 && command -v ninja >/dev/null 2>&1 || missing+=(cmake ninja-build)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Skipped: install ${missing[*]} to run the Windows check." >&2
    exit 77
fi
if [ ! -x "$reader" ]; then
    echo "The Linux reader $reader is not built (build the project first)." >&2
    exit 2
fi

started=$SECONDS

echo "== Cross-compiling the Win32 units with MinGW-w64"
cmake -S "$root_dir/tests/windows" -B "$cross_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root_dir/tests/windows/mingw-w64-x86_64.cmake" >"$cross_dir.configure.log" 2>&1 || {
    cat "$cross_dir.configure.log"
    exit 1
}
cmake --build "$cross_dir"

prefix="$(mktemp -d "${TMPDIR:-/tmp}/zarvik-wine.XXXXXX")"
wine_log="$prefix.log"
cleanup() {
    WINEPREFIX="$prefix" "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$prefix" "$wine_log"
}
trap cleanup EXIT

# A fresh prefix of its own, nothing of the user's: an English locale, so the
# ANSI code page is 1252; no Mono or Gecko installers; no debug channels.
wine_env=(env WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=en_US.UTF-8
          LANG=en_US.UTF-8 DISPLAY=)

echo "== Running test_win32.exe under Wine (the first run sets up the prefix)"
windows_status=0
"${wine_env[@]}" timeout 240 "$wine" "$cross_dir/test_win32.exe" 2>"$wine_log" || windows_status=$?
if [ "$windows_status" -ne 0 ]; then
    echo "test_win32.exe failed (exit $windows_status); Wine said:" >&2
    cat "$wine_log" >&2
fi

# Wine keeps the registry in memory until its server ends. The reader runs
# even after a failure above, as long as Wine left a registry to read.
"${wine_env[@]}" timeout 60 "$wineserver" -w
reader_status=0
if [ -f "$prefix/system.reg" ]; then
    echo "== Reading the prefix back with the Linux Wine registry reader"
    "$reader" "$prefix" || reader_status=$?
else
    echo "Wine left no registry in the prefix." >&2
    reader_status=1
fi

echo "The Windows check took $((SECONDS - started)) s."
[ "$windows_status" -eq 0 ] && [ "$reader_status" -eq 0 ]
