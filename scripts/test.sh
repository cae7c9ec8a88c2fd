#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test: the g++ build with the
# memcheck run and the package check, static checks, the clang build, the sanitizer build
# with the fuzz run, the Windows build under Wine and the web page in Chromium, the last two
# compared with the g++ build, and the release command on those builds. Needs no display: window tests start virtual X servers of
# their own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh build run web test
npm ci --prefix tests/web --no-audit --no-fund

cmake --preset test
cmake --build --preset test
bash scripts/lint.sh build/test

for preset in clang sanitize mingw web; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# The release command on the builds just tested.
bash tests/release/release_test.sh
# Last, so that the summary of the main build closes the output.
ctest --preset test
