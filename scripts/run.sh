#!/usr/bin/env bash
# Builds the program (installing what it needs) and runs it; arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
need_packages build run
build_preset release
exec "$root/build/release/app/cube-rotation" "$@"
