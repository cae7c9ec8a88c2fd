#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs the tests: the g++ build with the
# memcheck run, the package check and the documents' check, static checks, the clang build,
# the sanitizer build with the fuzz run, the Windows build under Wine and the web page in
# the browser, the last two compared with the g++ build. The release command adds what
# takes minutes more (scripts/release.sh). Needs no display: window tests start virtual X servers
# of their own. The package and the zip that the tests check are left in each build's
# package/ folder for the release command.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$root"
need_packages build run web test
install_browser_tools

build_preset test
bash scripts/lint.sh build/test

for preset in clang sanitize mingw web; do
  build_preset "$preset"
  ctest --preset "$preset"
done
# Last, so that the summary of the main build closes the output.
ctest --preset test
