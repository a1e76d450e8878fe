#!/usr/bin/env bash
# Checks that the sources' includes point down the layers only:
# app -> pages -> widget kit and document -> rules, the kit and the
# document knowing nothing of each other, and within the rules
# discovery -> game -> files and mod -> files; and that each folder is one
# layer. The libraries share one include
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
refuse "the widget kit includes nothing of the program but itself and the result type" \
    "$(includes $(sources widgets) | grep -vE ': (widgets|core)/' || true)"
refuse "the shared core includes nothing of the program" \
    "$(includes $(sources core) || true)"
refuse "pages include no other page" \
    "$(for page in general inventory augmentations skills about; do
           includes $(sources "$page") | grep -E ": (general|inventory|augmentations|skills|about)/" |
               grep -vE ": $page/" || true
       done)"
refuse "the document includes only the rules and itself" \
    "$(includes $(sources document) | grep -vE ": (core|mod|files|game|discovery|document)/" || true)"
refuse "nothing below the pages includes the document" \
    "$(includes $(sources widgets core mod files game discovery) | grep -E ": document/" || true)"
refuse "rules include only rules" \
    "$(includes $(sources mod files game discovery) | grep -vE ": (core|mod|files|game|discovery|win32)/" || true)"
# Within the rules: reading and writing files knows nothing of the game, the
# game's own files nothing of where the game is found, and the mod only its
# files.
refuse "files include only files" \
    "$(includes $(sources files) | grep -vE ": (core|files|win32)/" || true)"
refuse "the game's files include only files" \
    "$(includes $(sources game) | grep -vE ": (core|game|files)/" || true)"
refuse "finding the game includes no mod" \
    "$(includes $(sources discovery) | grep -E ": mod/" || true)"
refuse "the mod includes only itself and files" \
    "$(includes $(sources mod) | grep -vE ": (core|mod|files)/" || true)"

# A folder is one layer: its sources go into one library.
for folder in app widgets general inventory augmentations skills about document core mod files game discovery; do
    libraries="$(grep -ohE 'target_sources\(zarvik_[a-z]+' "$folder/CMakeLists.txt" | sed 's/.*(//' | sort -u)"
    if [ "$(wc -l <<<"$libraries")" -ne 1 ]; then
        echo "FAIL: the sources of $folder/ go into more than one library:" $libraries >&2
        status=1
    fi
done
exit "$status"
