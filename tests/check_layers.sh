#!/usr/bin/env bash
# Checks that the sources' includes point down the layers only:
# app -> pages -> widget kit -> rules, and that each folder is one layer. The libraries share one include
# folder, so the linker alone would miss a page reading a constant of the
# application or the kit reading a page's header.
#   check_layers.sh <source root>
set -euo pipefail

cd "$1/src"
status=0

# Prints each include of the given files that names something under src/,
# as "file: folder/Header".
includes() {
    grep -HE '^#include "[A-Za-z0-9_]+/' "$@" | sed -E 's/:#include "([^"]+)\.h".*/: \1/' || true
}

refuse() {
    local what="$1" lines="$2"
    if [ -n "$lines" ]; then
        echo "FAIL: $what" >&2
        echo "$lines" >&2
        status=1
    fi
}

sources() { find "$@" \( -name '*.h' -o -name '*.cpp' \) | sort; }

refuse "only the application includes the application" \
    "$(includes $(sources . | grep -v '^\./app/') | grep ': app/' || true)"
refuse "the widget kit includes nothing of the program but itself" \
    "$(includes $(sources widgets) | grep -v ': widgets/' || true)"
refuse "pages include no other page" \
    "$(for page in general inventory augmentations skills about; do
           includes $(sources "$page") | grep -E ": (general|inventory|augmentations|skills|about)/" |
               grep -vE ": $page/" || true
       done)"
refuse "rules include only rules" \
    "$(includes $(sources mod game) | grep -vE ": (mod|game|win32)/" || true)"

# A folder is one layer: its sources go into one library.
for folder in app widgets general inventory augmentations skills about mod game; do
    libraries="$(grep -ohE 'target_sources\(zarvik_[a-z]+' "$folder/CMakeLists.txt" | sed 's/.*(//' | sort -u)"
    if [ "$(wc -l <<<"$libraries")" -ne 1 ]; then
        echo "FAIL: the sources of $folder/ go into more than one library:" $libraries >&2
        status=1
    fi
done
exit "$status"
