#!/usr/bin/env bash
# Checks that the sources' includes point down the layers only:
# app -> pages -> widget kit -> rules. The libraries share one include
# folder, so the linker alone would miss a page reading a constant of the
# application or the kit reading a page's header.
#   check_layers.sh <source root>
set -euo pipefail

cd "$1/src"
status=0

# Rules that live in a page's folder beside the page: plain tables and logic.
rules_in_pages='inventory/(InventoryList|ItemCatalogue)|augmentations/AugmentationCatalogue|skills/SkillTable'

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
    "$(for page in inventory augmentations skills about; do
           includes $(sources "$page") | grep -E ": (inventory|augmentations|skills|about)/" |
               grep -vE ": ($page/|$rules_in_pages)" || true
       done)"
rule_files="$(sources mod game; sources inventory augmentations skills about | grep -E "^($rules_in_pages)\.")"
refuse "rules include only rules" \
    "$(includes $rule_files | grep -vE ": (mod|game|win32)/|: ($rules_in_pages)$" || true)"
exit "$status"
