#!/usr/bin/env bash
# Builds the program into build/ (installing what is missing) and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

install_packages "${packages[@]}"
configure_and_build
exec "$build_dir/src/app/zarvik-ml-utility" "$@"
