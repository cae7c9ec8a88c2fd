#!/usr/bin/env bash
# Fetches the source of freeglut as the Debian release this machine runs ships it (Debian
# 12 and 13 alike) with apt-get source, and unpacks it:
#   fetch-freeglut.sh DIR   (the source ends in DIR/src, its Debian version in DIR/version)
# apt runs on a state folder of its own in DIR, with this machine's Debian mirrors as
# deb-src entries, so the machine's own apt set-up is left as it is; apt checks the signed
# index and the files' checksums. The build compiles freeglut's own sources, the .orig
# tarball, so that is all it needs: a mirror that lacks Debian's packaging files (the .dsc
# and the Debian changes, which some mirrors of Debian 13 lack) does not stop it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
here=$root/scripts
dir=$(mkdir -p "$1" && cd "$1" && pwd)
state=$dir/apt
rm -rf "$state" "$dir/src" "$dir/download"
mkdir -p "$state/lists/partial" "$state/cache/archives/partial" "$dir/download"
bash "$here/debian-sources.sh" deb-src >"$state/debian.sources"
apt=(apt-get -q
  -o Dir::Etc::sourcelist="$state/debian.sources" -o Dir::Etc::sourceparts=-
  -o Dir::State::Lists="$state/lists" -o Dir::Cache="$state/cache"
  -o Dir::State::status=/var/lib/dpkg/status -o APT::Sandbox::User=root -o Debug::NoLocking=1)
fetched=0
if "${apt[@]}" update >"$dir/fetch.log" 2>&1; then
  (cd "$dir/download" && "${apt[@]}" source --download-only freeglut) >>"$dir/fetch.log" 2>&1 || true
  # The version, from the name of the .dsc that the signed index lists.
  version=$("${apt[@]}" source --print-uris freeglut 2>>"$dir/fetch.log" |
    sed -n "s/^'[^']*' freeglut_\(.*\)\.dsc .*/\1/p")
  orig=("$dir/download"/freeglut_*.orig.tar.*)
  [[ -n "$version" && -f "${orig[0]}" ]] && fetched=1
fi
if ((fetched == 0)); then
  cat "$dir/fetch.log" >&2
  cat >&2 <<MSG
Could not fetch Debian's freeglut source package, which the Windows build
compiles. It needs apt-get and network access to this machine's Debian mirrors
(bash scripts/install-deps.sh build run test installs what the build needs).
MSG
  exit 1
fi
echo "$version" >"$dir/version"
mkdir "$dir/src"
tar -xf "${orig[0]}" -C "$dir/src" --strip-components=1
