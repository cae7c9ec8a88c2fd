#!/usr/bin/env bash
# Installs the Debian packages of the named sections of packages.txt that are missing:
#   install-deps.sh SECTION...     (install-deps.sh --list SECTION... only prints them)
# A package counts as present when it is installed or an installed package provides it
# (Node.js from elsewhere provides npm, for one). Needs only bash and apt-get; uses sudo
# when not run as root.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
here=$root/scripts
list_only=0
if [[ "${1:-}" == "--list" ]]; then
  list_only=1
  shift
fi
(($# > 0)) || { echo "usage: install-deps.sh [--list] SECTION..." >&2; exit 2; }

# The packages of the named sections, in file order.
wanted=()
section=""
declare -A seen=()
while read -r line; do
  [[ -z "$line" || "$line" == \#* ]] && continue
  if [[ "$line" =~ ^\[(.*)\]$ ]]; then
    section=${BASH_REMATCH[1]}
    continue
  fi
  [[ -z "${seen[$line]:-}" ]] || { echo "packages.txt lists $line twice" >&2; exit 1; }
  seen[$line]=1
  for name in "$@"; do
    [[ "$name" == "$section" ]] && wanted+=("$line")
  done
done <"$here/packages.txt"
((${#wanted[@]} > 0)) || { echo "no packages in sections: $*" >&2; exit 2; }
if ((list_only)); then
  printf '%s\n' "${wanted[@]}"
  exit 0
fi

present=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}, ${Provides}\n' 2>/dev/null |
  awk '$1 == "ii" { $1 = ""; print }' | tr ',' '\n' | sed 's/([^)]*)//g; s/[[:space:]]//g; s/:.*//')
missing=()
for pkg in "${wanted[@]}"; do
  grep -qxF "$pkg" <<<"$present" || missing+=("$pkg")
done
((${#missing[@]} == 0)) && exit 0

as_root=()
((EUID == 0)) || as_root=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
