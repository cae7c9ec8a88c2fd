#!/usr/bin/env bash
# A long fuzzing run of the console dialogue: scripts/fuzz.sh [RUNS] (default 1,000,000).
# New inputs are kept in build/fuzz-corpus; a failing input is written to build/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
[[ $# -le 1 && "${1:-1}" =~ ^[0-9]+$ ]] || { echo "usage: fuzz.sh [RUNS]" >&2; exit 2; }
need_packages build run test
build_preset sanitize dialogue_fuzz
cd "$root"
mkdir -p build/fuzz-corpus
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  build/sanitize/tests/dialogue_fuzz -runs="${1:-1000000}" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix=build/ build/fuzz-corpus tests/fuzz/corpus tests/inputs/console
