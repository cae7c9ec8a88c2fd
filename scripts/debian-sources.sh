#!/usr/bin/env bash
# Prints this machine's own Debian package sources as deb822 stanzas of the given type, deb
# or deb-src, for a Debian release: the machine's own by default, or another by code name
# (bookworm, trixie), reached through the same mirrors with the suites renamed. With
# --release-only, only the release's own suite, as a point release installed without its
# updates has it (no -updates, no -security). Other scripts use it to reach those mirrors
# without naming one. Reads apt's configuration only: it downloads nothing.
#   debian-sources.sh [deb|deb-src] [CODENAME] [--release-only]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
release_only=0
arguments=()
for argument in "$@"; do
  if [[ "$argument" == --release-only ]]; then
    release_only=1
  else
    arguments+=("$argument")
  fi
done
set -- "${arguments[@]}"
type=${1:-deb}
# shellcheck source=/dev/null
own=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[[ -n "$own" ]] || { echo "debian-sources.sh: this machine names no Debian release in /etc/os-release" >&2; exit 1; }
release=${2:-$own}
apt-get indextargets --no-release-info --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)' |
  awk -v type="$type" -v own="$own" -v release="$release" -v release_only="$release_only" '
    $1 == "deb" && ($3 == own || (!release_only && ($3 == own "-updates" || $3 == own "-security"))) {
      suite = release substr($3, length(own) + 1)
      key = $2 " " suite
      if (!(key in components)) { order[++n] = key; components[key] = "" }
      if (index(" " components[key] " ", " " $4 " ") == 0)
        components[key] = components[key] (components[key] == "" ? "" : " ") $4
    }
    END {
      if (n == 0) { print "no entry for this machine'"'"'s Debian release (" own ") in apt'"'"'s sources" > "/dev/stderr"; exit 1 }
      for (i = 1; i <= n; ++i) {
        split(order[i], part, " ")
        printf "Types: %s\nURIs: %s\nSuites: %s\nComponents: %s\n\n", type, part[1], part[2], components[order[i]]
      }
    }'
