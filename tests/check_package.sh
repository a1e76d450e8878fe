#!/usr/bin/env bash
# Packs the build into a Debian package as scripts/package.sh does and checks
# it with lintian: no error and no warning. Informational and pedantic tags
# are shown but pass (the README lists the ones that remain, and why). The
# package must carry the project's version. Skipped (77) where lintian or
# dpkg-shlibdeps is missing.
#   check_package.sh <build dir> <version>
set -euo pipefail

build_dir="$1"
version="$2"
for tool in lintian dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing"
        exit 77
    fi
done
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >/dev/null
deb="$(ls "$out"/*.deb)"
packed="$(dpkg-deb -f "$deb" Version)"
if [ "$packed" != "$version" ]; then
    echo "FAIL: the package is version $packed, the project $version" >&2
    exit 1
fi
lintian --fail-on error,warning --display-info --pedantic "$deb"
echo "lintian passed on $(basename "$deb")"
