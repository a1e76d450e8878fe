#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop needs:
# the launcher in bin resolving into the program folder that also holds the
# help document, the menu entry and metadata naming what is really
# installed, every icon size, the type of mod files the menu entry claims,
# the manual page and the licence, that --help, --version and a refused
# command line answer without a display, and that the installed program
# starts.
#   check_install.sh <build dir>
set -euo pipefail

build_dir="$1"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build_dir" --prefix /usr >/dev/null

launcher="$root/usr/bin/zarvik-ml-utility"
[ -L "$launcher" ] || fail "bin/zarvik-ml-utility is not a link"
program="$(readlink -f "$launcher")"
[ -x "$program" ] || fail "the link leads to no program: $(readlink "$launcher")"
[ "$(dirname "$program")" = "$root/usr/lib/zarvik-ml-utility" ] || fail "program is in $(dirname "$program")"
[ -f "$(dirname "$program")/readme.htm" ] || fail "readme.htm is not beside the program"

desktop="$root/usr/share/applications/zarvik-ml-utility.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -e "$root/usr/bin/$exec_name" ] || fail "the desktop entry starts $exec_name, which is not in bin"
icon_name="$(sed -n 's/^Icon=//p' "$desktop")"
for size in 16 22 24 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png"
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    # The width and height of a PNG are the big-endian words at 16 and 20.
    dims="$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')"
    [ "$dims" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $dims"
done
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "no scalable icon"

metainfo="$(ls "$root"/usr/share/metainfo/*.metainfo.xml)"
id="$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")"
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file $(basename "$metainfo") for id $id"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $(basename "$desktop")"

mime_type="$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")"
[ -n "$mime_type" ] || fail "the desktop entry claims no type"
grep -q "<mime-type type=\"$mime_type\">" "$root/usr/share/mime/packages/zarvik-ml-utility.xml" \
    || fail "the desktop entry claims $mime_type, which the installed types do not declare"
grep -q '^Exec=zarvik-ml-utility %f$' "$desktop" || fail "the desktop entry passes no file"
gzip -t "$root/usr/share/man/man1/zarvik-ml-utility.1.gz" || fail "no compressed manual page"
[ -f "$root/usr/share/doc/zarvik-ml-utility/copyright" ] || fail "no copyright file"
gzip -t "$root/usr/share/doc/zarvik-ml-utility/changelog.gz" || fail "no compressed changelog"

# --help and --version print and end, with no display of any kind.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
version="$("${no_display[@]}" "$launcher" --version)" || fail "--version failed"
[ "$version" = "Zarvik's ML Utility $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")" ] \
    || fail "--version printed: $version"
"${no_display[@]}" "$launcher" --help | grep -q -- '--version' || fail "--help does not list --version"
# A command line it refuses is answered the same way, with its own message.
for refused in "a.int b.int" "--bogus" "-dash.int"; do
    status=0
    # shellcheck disable=SC2086 # each case is split into its arguments
    message="$("${no_display[@]}" "$launcher" $refused 2>&1 >/dev/null)" || status=$?
    [ "$status" -eq 1 ] || fail "'$refused' ended with status $status: $message"
    grep -q -- 'Try --help' <<<"$message" || fail "'$refused' printed: $message"
done

# Started through the link, with a home of its own, the program must still
# be running when it is stopped.
home="$root/home"
mkdir -p "$home"
status=0
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen timeout 3 "$launcher" || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended by itself with status $status"
echo "install layout ok"
