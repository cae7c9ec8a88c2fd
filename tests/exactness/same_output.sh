#!/usr/bin/env bash
# Runs a native program and another build of it (a command, such as an emulator and the
# program) with the same arguments and no input; both must print the same lines.
#   same_output.sh NATIVE ARGUMENTS... -- OTHER_COMMAND...
set -euo pipefail
native=${1:?native program}
shift
arguments=()
while (($# > 0)) && [[ "$1" != "--" ]]; do
  arguments+=("$1")
  shift
done
shift
if diff <("$native" "${arguments[@]}" </dev/null) <("$@" "${arguments[@]}" </dev/null | tr -d '\r'); then
  echo "same output for: ${arguments[*]}"
else
  exit 1
fi
