#!/usr/bin/env bash
# A plain configure of the sources in a fresh build folder, then a second one: the second
# must change nothing that is built, neither the targets nor any compile or link command
# (definitions, flags, sources). A setting read before it is defined would differ.
#   configure_twice.sh SOURCE_DIR
set -euo pipefail
source_dir=${1:?source directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What is built: every file a rule makes and every command, as Ninja has them (the phony
# entries name CMake's own inputs, which differ from a first configure to a second).
built() {
  ninja -C "$work/build" -t targets all | grep -v ': phony$' | sort
  ninja -C "$work/build" -t commands all | sort
}
configure() {
  cmake -S "$source_dir" -B "$work/build" -G Ninja >"$work/configure-$1.log" 2>&1 ||
    { cat "$work/configure-$1.log" >&2; exit 1; }
}

configure 1
built >"$work/first"
configure 2
built >"$work/second"
if ! diff -u "$work/first" "$work/second"; then
  echo "the second configure changed what is built (above: - first, + second)" >&2
  exit 1
fi
echo "both configures build the same $(grep -c . "$work/first") targets and commands"
