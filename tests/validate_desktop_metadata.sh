#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metadata with their own
# tools; skipped (77) where the tools are not installed.
#   validate_desktop_metadata.sh <source dir>
set -euo pipefail

assets="$1/assets"
if ! command -v desktop-file-validate >/dev/null || ! command -v appstreamcli >/dev/null; then
    echo "desktop-file-validate or appstreamcli is missing"
    exit 77
fi
desktop-file-validate "$assets/zarvik-ml-utility.desktop"
appstreamcli validate --no-net "$assets/zarvik-ml-utility.metainfo.xml"
