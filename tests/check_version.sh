#!/usr/bin/env bash
# Checks the AppStream metadata's newest release and the changelog's newest
# entry against the version and release date that CMakeLists.txt gives the
# build (the program, its About window, the manual page and the packages
# read them from there).
#   check_version.sh <source dir> <version> <release date, YYYY-MM-DD>
set -euo pipefail

source_dir="$1"
version="$2"
date="$3"
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

release="$(grep -m1 -o '<release [^>]*>' "$source_dir/assets/zarvik-ml-utility.metainfo.xml")"
[[ "$release" == *" version=\"$version\""* ]] || fail "the metadata's newest release is not $version: $release"
[[ "$release" == *" date=\"$date\""* ]] || fail "the metadata's newest release is not dated $date: $release"

changelog="$source_dir/packaging/changelog"
entry="$(head -n1 "$changelog")"
[[ "$entry" == "zarvik-ml-utility ($version) "* ]] || fail "the changelog's newest entry is not $version: $entry"
signed="$(grep -m1 '^ -- ' "$changelog")"
dated="$(date -u -d "${signed##*>  }" +%F)" || fail "the changelog's newest entry has no date: $signed"
[ "$dated" = "$date" ] || fail "the changelog's newest entry is dated $dated, not $date"

[ "$status" -eq 0 ] && echo "version $version of $date everywhere"
exit "$status"
