#!/usr/bin/env bash
# Checks that the tests of the rules and of the document link what they test
# and nothing of the window: no Qt Widgets or Qt Gui among the libraries they
# load, so they run where no window system is.
#   check_links.sh <test program>...
set -euo pipefail
status=0
for program in "$@"; do
    needed="$(readelf -d "$program" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p')"
    if grep -E '^libQt6(Widgets|Gui)\.' <<<"$needed"; then
        echo "FAIL: $(basename "$program") links the window system's libraries" >&2
        status=1
    fi
done
exit "$status"
