#!/usr/bin/env bash
# The Qt kit for the Windows build: Debian's own qt6-base source, the same
# version as the build machine's Qt, cross-built with MinGW-w64 (x86-64,
# POSIX threads) into a cache folder outside the tree. Nothing prebuilt comes
# from anywhere else. The folder's name holds the Qt version and a digest of
# this script's commands (comments left out), so a changed recipe builds a
# new kit and an unchanged one is reused at once.
#
#   scripts/windows-kit.sh              build the kit unless it is cached
#   scripts/windows-kit.sh --print-path print where the kit is (or would be)
#
# Modules: Core, Gui, Widgets, Test, the windows and offscreen platforms and
# the Windows styles. OpenGL stays dynamic: Qt 6.4's windows platform does not
# build without it. Tablet events are off: Debian's source leaves out the
# Wintab headers they need. zlib, PCRE2, libpng, libjpeg, FreeType and
# HarfBuzz are Qt's bundled copies, built into the DLLs.
#
# Needs root (or sudo) once, to add the deb-src entries and install the
# compilers. Takes about 35 minutes on two idle cores (JOBS=n to change).
set -euo pipefail

script="$(readlink -f "${BASH_SOURCE[0]}")"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/zarvik-ml-utility"
qt_version="$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)"
if [ -z "$qt_version" ]; then
    echo "qt6-base-dev is not installed (scripts/setup.sh installs it)." >&2
    exit 2
fi
recipe="$(grep -v -E '^[[:space:]]*(#|$)' "$script" | sha256sum | cut -c1-12)"
kit="$cache_root/qt-${qt_version//[^A-Za-z0-9.]/_}-mingw64-$recipe"

if [ "${1:-}" = "--print-path" ]; then
    echo "$kit"
    exit 0
fi
if [ -f "$kit/.complete" ]; then
    echo "Qt kit for Windows reused: $kit"
    exit 0
fi

started=$SECONDS
step() { printf '== [%s] %s\n' "$(date -u -d "@$((SECONDS - started))" +%M:%S)" "$*"; }

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
missing=()
for p in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev cmake ninja-build perl; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

mkdir -p "$cache_root"
exec 9>"$cache_root/kit.lock"
if ! flock -n 9; then
    echo "Another kit build is running; waiting for it."
    flock 9
    if [ -f "$kit/.complete" ]; then
        echo "Qt kit for Windows reused: $kit"
        exit 0
    fi
fi

work="$cache_root/work-$recipe"
rm -rf "$work" "$kit"
mkdir -p "$work"
log="$work/build.log"

step "Fetching Debian's qt6-base $qt_version source"
# Source entries for the suites the machine already installs from.
if ! apt-get source --print-uris "qt6-base=$qt_version" >/dev/null 2>&1; then
    src_list=/etc/apt/sources.list.d/zarvik-deb-src.sources
    {
        for f in /etc/apt/sources.list.d/*.sources; do
            [ -f "$f" ] && [ "$f" != "$src_list" ] || continue
            grep -q '^Types:.*\bdeb\b' "$f" || continue
            sed -e 's/^Types:.*/Types: deb-src/' "$f"
            echo
        done
        if [ -f /etc/apt/sources.list ]; then
            # One-line entries become a deb822 stanza each.
            sed -n 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) \([^ ]*\) \(.*\)$/Types: deb-src\nURIs: \2\nSuites: \3\nComponents: \4\n/p' \
                /etc/apt/sources.list
        fi
    } | "${as_root[@]}" tee "$src_list" >/dev/null
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
(cd "$work" && apt-get source -qq "qt6-base=$qt_version" >"$log" 2>&1) || {
    cat "$log" >&2
    exit 1
}
src="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"

cat >"$work/mingw-w64.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

step "Configuring (log: $log)"
host_cmake_dir="$(dirname "$(dirname "$(readlink -f "$(dpkg -L qt6-base-dev | grep -m1 '/Qt6HostInfo/Qt6HostInfoConfig.cmake$')")")")"
features=(
    -DINPUT_opengl=dynamic
    -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_sql_sqlite=OFF
)
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$kit" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    "${features[@]}" >>"$log" 2>&1 || {
    tail -n 60 "$log" >&2
    exit 1
}
grep -E '^(  )?(Qt Gui|Qt Widgets|  OpenGL|    Dynamic OpenGL|Tablet|  Windows)' "$log" | head -n 20 || true

step "Building with ${JOBS:-2} jobs"
# One line per 5 % of ninja's steps; the whole output goes to the log.
if ! ninja -C "$work/build" -j "${JOBS:-2}" 2>&1 | tee -a "$log" | awk '
        match($0, /^\[[0-9]+\/[0-9]+\]/) {
            split(substr($0, 2, RLENGTH - 2), n, "/")
            pct = int(100 * n[1] / n[2])
            if (pct >= next_pct) { printf "   %3d %% (%d of %d steps)\n", pct, n[1], n[2]; fflush(); next_pct = pct - pct % 5 + 5 }
        }'; then
    echo "The kit build failed; the end of the log:" >&2
    tail -n 60 "$log" >&2
    exit 1
fi

step "Installing into $kit"
cmake --install "$work/build" >>"$log" 2>&1 || {
    tail -n 30 "$log" >&2
    exit 1
}
cp "$work/mingw-w64.cmake" "$kit/mingw-w64.cmake"
touch "$kit/.complete"
rm -rf "$work"
step "Qt kit for Windows ready in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s: $kit"
