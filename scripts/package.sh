#!/usr/bin/env bash
# Builds the Debian package into build-package/ (installing what is missing):
# a release build without the tests, hardened with Debian's own build flags,
# installed under /usr and packed by CPack, its dependencies read off the
# program by dpkg-shlibdeps.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

package_dir="${PACKAGE_BUILD_DIR:-$root_dir/build-package}"

install_packages "${packages[@]}"
# Debian's flags with every symbol bound at start as well (full RELRO), so
# that the relocations are read-only for the whole run.
export DEB_BUILD_MAINT_OPTIONS="hardening=+bindnow"
cmake -S "$root_dir" -B "$package_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$package_dir"
(cd "$package_dir" && cpack -G DEB)
ls "$package_dir"/*.deb
