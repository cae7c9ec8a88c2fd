#!/usr/bin/env bash
# Feeds every input in tests/inputs/console to two builds of the console stages and
# compares what they write:
#   console.sh NATIVE OTHER_COMMAND...
# Set CRLF=1 when the other build writes in Windows text mode: its output is then compared
# with the native one's after each \n becomes \r\n, as a Windows user sees it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
native=${1:?native console program}
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=0
failed=0
for input in "$here/../inputs/console"/*; do
  cases=$((cases + 1))
  "$native" <"$input" >"$work/native"
  "$@" <"$input" >"$work/other"
  if [[ "${CRLF:-0}" == 1 ]]; then
    sed -z 's/\n/\r\n/g' "$work/native" >"$work/expected"
  else
    cp "$work/native" "$work/expected"
  fi
  if ! cmp -s "$work/expected" "$work/other"; then
    failed=$((failed + 1))
    echo "differs for the input $(basename "$input")"
    cmp "$work/expected" "$work/other" || true
  fi
done
echo "$((cases - failed)) of $cases console inputs give the same bytes"
((failed == 0 && cases > 0))
