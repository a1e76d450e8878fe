#!/usr/bin/env bash
# Builds everything into build/ (installing what is missing) and runs every
# test through ctest on Qt's offscreen platform; needs no display. That
# includes the Windows check (scripts/windows-check.sh: the Win32 code built
# with MinGW-w64 and run under Wine).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_packages "${packages[@]}" "${windows_check_packages[@]}"
configure_and_build

export QT_QPA_PLATFORM=offscreen
cd "$build_dir"
ctest --output-on-failure --timeout 300 -j "$(nproc 2>/dev/null || echo 2)"
