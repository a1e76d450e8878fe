#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the build packages that are
# missing (on Debian 12 or Ubuntu, when root or sudo is there), then
# configures and builds into build/.
set -euo pipefail

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root_dir/build}"

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core fonts-liberation2
          desktop-file-utils appstream dpkg-dev)
# For test.sh only: the program cross-built for Windows (its Qt kit from
# Debian's source), its tests run under Wine, its installer made with NSIS and
# tried on a virtual X server.
windows_check_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 nsis unzip xvfb xauth openbox
                        imagemagick x11-utils xdotool)
# For test.sh only: the package's check.
package_check_packages=(lintian)
# The fuzz harnesses need clang with its sanitizer and libFuzzer runtimes.
fuzz_packages=(clang libclang-rt-14-dev)
# The start-up benchmark measures under a virtual X server and counts
# instructions with callgrind.
bench_packages=(time xvfb xauth valgrind)

missing_packages() {
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            echo "$p"
        fi
    done
}

install_packages() {
    command -v dpkg-query >/dev/null 2>&1 || return 0
    local missing
    missing=$(missing_packages "$@")
    [ -z "$missing" ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Missing packages (install them as root): $missing" >&2
            return 1
        fi
    fi
    echo "Installing: $missing"
    # shellcheck disable=SC2086
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

configure_and_build() {
    cmake -S "$root_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
    cmake --build "$build_dir"
}
