#!/usr/bin/env bash
# Starts the program's own main (bench_startup: the start-up probe ends it
# after the first paint) with a remembered game directory, and checks that
# it shows and paints its window and ends cleanly: the whole start as a user
# has it, up to the first paint.
#   check_start.sh <bench_startup>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/fixture.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
startup_fixture "$work"

status=0
output="$(timeout 60 "$1" 2>"$work/stderr")" || status=$?
if [ "$status" != 0 ] || ! [[ "$output" =~ ^mapped\ [0-9]+\ painted\ [0-9]+$ ]]; then
    echo "FAIL: the program did not start, paint and end (status $status)" >&2
    echo "$output" >&2
    cat "$work/stderr" >&2
    exit 1
fi
echo "started, painted and ended"
