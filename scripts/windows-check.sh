#!/usr/bin/env bash
# The program on Windows, proven on Linux, each part under Wine in a fresh,
# temporary prefix of its own:
#   1. units: the Qt-free Win32 units cross-compiled and tested (they write the
#      game installer's registry key as the installer would), then what Wine
#      wrote read back by the program's Linux Wine registry reader;
#   2. suite: the whole program and every Qt test program cross-built with
#      the Qt kit of scripts/windows-kit.sh (built first when not cached) and
#      run by ctest, each test as a Windows program;
#   3. package: the NSIS installer and the portable .zip made by cpack; the
#      installer run silently, the installed program started with the windows
#      platform on a virtual X server and photographed, then uninstalled.
#
#   scripts/windows-check.sh [--units-only | --no-units] [--reader PATH]
#                            [--host-build DIR] [--build-dir DIR]
#
# --reader: the Linux wine_prefix_reader (default <host build>/tests/wine_prefix_reader)
# --host-build: the Linux build whose RenderAssets draws the pictures (default build)
# --build-dir: where the cross builds go (default build-windows)
#
# Exit 0 when every part passes, 77 when MinGW-w64, Wine or another tool is
# missing (scripts/setup.sh installs them), anything else on failure.
set -euo pipefail

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host_build="$root_dir/build"
cross_dir="$root_dir/build-windows"
reader=""
units=1
rest=1
while [ $# -gt 0 ]; do
    case "$1" in
    --units-only) rest=0; shift ;;
    --no-units) units=0; shift ;;
    --reader) reader="$2"; shift 2 ;;
    --host-build) host_build="$(realpath -m "$2")"; shift 2 ;;
    --build-dir) cross_dir="$(realpath -m "$2")"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
    esac
done
reader="${reader:-$host_build/tests/wine_prefix_reader}"

cxx=x86_64-w64-mingw32-g++-posix
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
missing=()
command -v "$cxx" >/dev/null 2>&1 || missing+=(g++-mingw-w64-x86-64-posix)
[ -x "$wine" ] && [ -x "$wineserver" ] || missing+=(wine64)
command -v cmake >/dev/null 2>&1 && command -v ninja >/dev/null 2>&1 || missing+=(cmake ninja-build)
if [ "$rest" = 1 ]; then
    command -v makensis >/dev/null 2>&1 || missing+=(nsis)
    command -v xvfb-run >/dev/null 2>&1 || missing+=(xvfb xauth)
    command -v openbox >/dev/null 2>&1 || missing+=(openbox)
    command -v import >/dev/null 2>&1 || missing+=(imagemagick)
    command -v xwininfo >/dev/null 2>&1 || missing+=(x11-utils)
    command -v xdotool >/dev/null 2>&1 || missing+=(xdotool)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Skipped: install ${missing[*]} to run the Windows check." >&2
    exit 77
fi

started=$SECONDS
step() { printf '== [%s] %s\n' "$(date -u -d "@$((SECONDS - started))" +%M:%S)" "$*"; }

prefixes=()
cleanup() {
    local p
    for p in "${prefixes[@]}"; do
        WINEPREFIX="$p" "$wineserver" -k >/dev/null 2>&1 || true
        rm -rf "$p" "$p.log"
    done
}
trap cleanup EXIT

# A fresh prefix of its own, nothing of the user's: the C locale, which Wine
# takes for US English, so the ANSI code page is 1252, and which is always
# there, unlike en_US.UTF-8 (without it Wine cannot map non-ASCII file names);
# no Mono or Gecko installers; no debug channels.
new_prefix() {
    prefix="$(mktemp -d "${TMPDIR:-/tmp}/zarvik-wine.XXXXXX")"
    prefixes+=("$prefix")
    wine_env=(env WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
              LANG=C.UTF-8)
}

failed=()

if [ "$units" = 1 ]; then
    if [ ! -x "$reader" ]; then
        echo "The Linux reader $reader is not built (build the project first)." >&2
        exit 2
    fi
    units_dir="$cross_dir/win32"
    mkdir -p "$units_dir"
    step "Cross-compiling the Win32 units with MinGW-w64"
    cmake -S "$root_dir/tests/windows" -B "$units_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root_dir/tests/windows/mingw-w64-x86_64.cmake" >"$units_dir.configure.log" 2>&1 || {
        cat "$units_dir.configure.log"
        exit 1
    }
    cmake --build "$units_dir"

    new_prefix
    # The prefix is made before the test runs rather than by its first
    # start, which now and then left a prefix without Windows' own DLLs.
    step "Setting up a fresh Wine prefix and running test_win32.exe in it"
    DISPLAY='' "${wine_env[@]}" timeout 300 "$wine" wineboot --init >"$prefix.log" 2>&1 || true
    "${wine_env[@]}" timeout 120 "$wineserver" -w || true
    windows_status=0
    DISPLAY='' "${wine_env[@]}" timeout 240 "$wine" "$units_dir/test_win32.exe" 2>"$prefix.log" || windows_status=$?
    if [ "$windows_status" -ne 0 ]; then
        echo "test_win32.exe failed (exit $windows_status); Wine said:" >&2
        cat "$prefix.log" >&2
        failed+=("Win32 units")
    fi
    # Wine keeps the registry in memory until its server ends. The reader runs
    # even after a failure above, as long as Wine left a registry to read.
    "${wine_env[@]}" timeout 60 "$wineserver" -w
    if [ -f "$prefix/system.reg" ]; then
        step "Reading the prefix back with the Linux Wine registry reader"
        "$reader" "$prefix" || failed+=("Wine registry reader")
    else
        echo "Wine left no registry in the prefix." >&2
        failed+=("Wine registry reader")
    fi
fi

if [ "$rest" = 1 ]; then
    render_assets="$host_build/RenderAssets"
    if [ ! -x "$render_assets" ]; then
        echo "The host tool $render_assets is not built (build the project first)." >&2
        exit 2
    fi

    bash "$root_dir/scripts/windows-kit.sh"
    kit="$(bash "$root_dir/scripts/windows-kit.sh" --print-path)"
    app_dir="$cross_dir/app"
    mkdir -p "$cross_dir"

    step "Cross-building the program and its tests for Windows"
    # Qt's toolchain file knows the kit and the host Qt; it chains to the
    # MinGW-w64 one the kit was built with.
    cmake -S "$root_dir" -B "$app_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$kit/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$kit/mingw-w64.cmake" \
        -DZARVIK_RENDER_ASSETS="$render_assets" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" >"$app_dir.configure.log" 2>&1 || {
        cat "$app_dir.configure.log"
        exit 1
    }
    cmake --build "$app_dir"

    # Where Windows finds the DLLs of the tests: the kit's Qt and the MinGW
    # runtime (the packages carry copies beside the executable instead).
    winepath_of() { printf 'Z:%s' "${1//\//\\}"; }
    runtime_dir="$(dirname "$("$cxx" -print-file-name=libstdc++-6.dll)")"
    pthread_dir="$(dirname "$("$cxx" -print-file-name=libwinpthread-1.dll)")"
    dll_path="$(winepath_of "$kit/bin");$(winepath_of "$runtime_dir");$(winepath_of "$pthread_dir")"

    new_prefix
    step "Setting up a fresh Wine prefix"
    DISPLAY='' "${wine_env[@]}" timeout 300 "$wine" wineboot --init >"$prefix.log" 2>&1 || true
    # Wine hides Unix variables starting with QT_ from Windows programs (they
    # are meant for the host's Qt), so what ctest sets for the tests would not
    # reach them: the prefix's own environment says it instead. The offscreen
    # platform, as on Linux; Qt's messages and the test logs on the standard
    # error and output rather than the debugger channel, since no console
    # window is attached; and fonts for the offscreen platform, which looks
    # in a folder rather than asking Windows: Liberation, Arial's metrics.
    for setting in QT_QPA_PLATFORM=offscreen QT_FORCE_STDERR_LOGGING=1 \
        "QT_QPA_FONTDIR=$(winepath_of /usr/share/fonts/truetype/liberation2)"; do
        DISPLAY='' "${wine_env[@]}" timeout 60 "$wine" reg add 'HKCU\Environment' /v "${setting%%=*}" \
            /d "${setting#*=}" /f >>"$prefix.log" 2>&1
    done
    "${wine_env[@]}" timeout 120 "$wineserver" -w

    step "Running the test suite as Windows programs under Wine"
    suite_status=0
    (cd "$app_dir" && DISPLAY='' "${wine_env[@]}" WINEPATH="$dll_path" \
        ctest --output-on-failure --timeout 600 -j "${JOBS:-2}") || suite_status=$?
    # What Windows leaves out, and why, from the tests' own words.
    grep -h -E '^SKIP +:' "$app_dir/Testing/Temporary/LastTest.log" 2>/dev/null | sed 's/^/   /' | sort -u || true
    [ "$suite_status" -eq 0 ] || failed+=("Windows test suite")
    "${wine_env[@]}" timeout 60 "$wineserver" -k >/dev/null 2>&1 || true

    step "Making the installer and the portable archive"
    (cd "$app_dir" && cpack -G "NSIS;ZIP" >"$app_dir.cpack.log" 2>&1) || {
        cat "$app_dir.cpack.log"
        exit 1
    }
    setup="$(ls "$app_dir"/zarvik-ml-utility-*-win64-setup.exe)"
    zip="$(ls "$app_dir"/zarvik-ml-utility-*-win64.zip)"
    ls -l "$setup" "$zip" | awk '{print "   " $5 " bytes  " $NF}'
    zip_list="$(unzip -Z1 "$zip")"
    for f in zarvik-ml-utility.exe readme.htm Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
        styles/qwindowsvistastyle.dll \
        libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        grep -q "/$f\$" <<<"$zip_list" || { echo "The archive lacks $f" >&2; failed+=("portable archive"); }
    done
    # Every binary the archive carries is stripped: debug sections would
    # make it several times the size.
    unpacked="$(mktemp -d "${TMPDIR:-/tmp}/zarvik-zip.XXXXXX")"
    unzip -q "$zip" -d "$unpacked"
    echo "   the archive unpacks to $(du -sh "$unpacked" | cut -f1)"
    bash "$root_dir/scripts/windows-package-check.sh" --stripped "$unpacked" || failed+=("portable archive")
    rm -rf "$unpacked"

    step "Installing silently under Wine, starting the installed program, uninstalling"
    new_prefix
    package_status=0
    shots="$cross_dir/screenshots"
    mkdir -p "$shots"
    xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$root_dir/scripts/windows-package-check.sh" "$setup" "$prefix" "$shots/windows-main-window.png" ||
        package_status=$?
    [ "$package_status" -eq 0 ] || failed+=("installer")
fi

step "The Windows check took $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s."
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED on Windows: ${failed[*]}" >&2
    exit 1
fi
