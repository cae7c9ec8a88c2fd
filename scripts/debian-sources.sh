#!/usr/bin/env bash
# Prints this machine's own Debian 12 package sources (bookworm, its updates and its
# security suite, from whatever mirrors apt is set up with) as deb822 stanzas of the given
# type, deb or deb-src, so that other scripts can reach the same mirrors without naming
# one. Reads apt's configuration only: it downloads nothing.
set -euo pipefail
type=${1:-deb}
apt-get indextargets --no-release-info --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)' |
  awk -v type="$type" '
    $1 == "deb" && $3 ~ /^bookworm(-updates|-security)?$/ {
      key = $2 " " $3
      if (!(key in components)) { order[++n] = key; components[key] = "" }
      if (index(" " components[key] " ", " " $4 " ") == 0)
        components[key] = components[key] (components[key] == "" ? "" : " ") $4
    }
    END {
      if (n == 0) { print "no Debian 12 (bookworm) entry in apt'"'"'s sources" > "/dev/stderr"; exit 1 }
      for (i = 1; i <= n; ++i) {
        split(order[i], part, " ")
        printf "Types: %s\nURIs: %s\nSuites: %s\nComponents: %s\n\n", type, part[1], part[2], components[order[i]]
      }
    }'
