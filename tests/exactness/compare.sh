#!/usr/bin/env bash
# Compares the scene and console text of two builds for generated answers:
#   compare.sh NATIVE_DUMP COUNT MAX_EXPONENT OTHER_COMMAND...
# NATIVE_DUMP generates COUNT answer triples below 10^MAX_EXPONENT; both it and the other
# build (a command, such as an emulator and a program) run them; every line must match.
# Carriage returns are dropped first: a Windows build writes its lines in text mode.
set -euo pipefail
native=${1:?native scene_dump}
count=${2:?count}
max_exponent=${3:?max exponent}
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$native" --generate "$count" "$max_exponent" >"$work/answers"
"$native" <"$work/answers" >"$work/native"
"$@" <"$work/answers" | tr -d '\r' >"$work/other"

# One line per run: the answers, then what each build printed for them.
paste -d '\v' "$work/answers" "$work/native" "$work/other" | awk -F '\v' -v count="$count" '
  { if ($2 != $3) { if (++differing <= 5) printf "differs for the answers: %s\n", $1 } }
  END {
    if (NR != count) { printf "expected %d runs, got %d\n", count, NR; exit 1 }
    printf "%d of %d answer triples give the same bits and bytes\n", NR - differing, NR
    exit differing > 0
  }'
