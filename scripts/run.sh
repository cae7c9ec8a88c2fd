#!/usr/bin/env bash
# Builds the program (installing what it needs) and runs it; arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh build run
cmake --preset release >&2
cmake --build --preset release >&2
exec build/release/app/cube-rotation "$@"
