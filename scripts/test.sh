#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test. Needs no display: the
# window tests start virtual X servers of their own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
cmake --preset test
cmake --build --preset test
ctest --preset test
