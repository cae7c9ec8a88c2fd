#!/usr/bin/env bash
# The check to run before a release: does the README's quick start work on a fresh Debian
# 12 and a fresh Debian 13? For each, makes a minimal root with debootstrap from this
# machine's own mirrors, clones the committed state of this repository into it and runs the
# README's two commands there as root, with no display and no standard input. Prints each
# command's status, time and the number of packages it installed; exits non-zero if any
# fails. The commands' output is kept in build/fresh-debian/RELEASE/; everything else it
# makes is unmounted and removed when it ends, also when interrupted. Takes 10-30 minutes
# a release.
#   fresh-debian.sh [12|13|both] [--keep-going]   (default both; --keep-going: run the test
#                                                  command even if run.sh fails)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
which=both
keep_going=0
for argument in "$@"; do
  case $argument in
    12 | 13 | both) which=$argument ;;
    --keep-going) keep_going=1 ;;
    *) echo "usage: fresh-debian.sh [12|13|both] [--keep-going]" >&2; exit 2 ;;
  esac
done
case $which in
  12) releases=(bookworm) ;;
  13) releases=(trixie) ;;
  both) releases=(bookworm trixie) ;;
esac
((EUID == 0)) || { echo "fresh-debian.sh: run as root (debootstrap, chroot and mount need it)" >&2; exit 2; }
bash "$repo/scripts/install-deps.sh" release

work=$(mktemp -d "${TMPDIR:-/tmp}/cube-fresh-XXXXXX")
target=""
mounted=()

# Processes left in the root (a virtual X server, a browser) would keep its mounts busy.
stop_processes_in_root() {
  local pid link
  for link in /proc/[0-9]*/root; do
    [[ "$(readlink "$link" 2>/dev/null)" == "$target" ]] || continue
    pid=${link#/proc/}
    kill -KILL "${pid%/root}" 2>/dev/null || true
  done
}
# Unmounts what the current root has mounted and removes it.
release_root() {
  [[ -n "$target" ]] || return 0
  stop_processes_in_root
  for ((i = ${#mounted[@]} - 1; i >= 0; --i)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}"
  done
  mounted=()
  # Never remove through a mount that is still there: that would reach the machine's /dev.
  if grep -qF " $target" /proc/self/mountinfo; then
    echo "fresh-debian.sh: $target still has mounts; left in place" >&2
    return 1
  fi
  rm -rf --one-file-system "$target"
  target=""
}
cleanup() {
  set +e
  release_root && rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

results=()
failed=0

installed() { chroot "$target" dpkg-query -W -f='${db:Status-Abbrev}\n' | grep -c '^ii'; }
# Runs one of the README's commands in the root: a login shell's environment, no display,
# no standard input.
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    NODE_EXTRA_CA_CERTS=/etc/machine-ca.crt GIT_SSL_CAINFO=/etc/machine-ca.crt \
    bash -c "cd /root/cube-rotation && $1" </dev/null
}

# One command in the root, judged by CHECK with its status:   step NAME COMMAND CHECK
step() {
  local name=$1 command=$2 check=$3 before after start status
  before=$(installed)
  start=$SECONDS
  echo "== $codename: $name: $command" >&2
  set +e
  in_root "$command" >"$logs/$name.out" 2>"$logs/$name.err"
  status=$?
  set -e
  after=$(installed)
  local verdict=passed
  if ! $check "$status"; then
    verdict=FAILED
    failed=1
    tail -40 "$logs/$name.out" >&2
    tail -40 "$logs/$name.err" >&2
  fi
  results+=("$(printf '%-8s %-5s %-6s status %-3s %5d s  %4d packages installed' \
    "$codename" "$name" "$verdict" "$status" $((SECONDS - start)) $((after - before)))")
}

# Without a display the program still runs the dialogue, prints the legend and then GLUT
# cannot open its window (status 1): the build and the console stage are what is checked.
legend_then_no_display() {
  grep -q 'Kocka rotirana oko Z-ose: zuta$' "$logs/run.out" &&
    { [[ $1 == 0 ]] || grep -q 'failed to open display' "$logs/run.err"; }
}
passed_with_zero() { [[ $1 == 0 ]]; }

# A fresh root of one release, the README's two commands in it, and the root removed.
check_release() {
  codename=$1
  target=$work/$codename
  logs=$repo/build/fresh-debian/$codename
  rm -rf "$logs" && mkdir -p "$logs"
  local mirror
  mirror=$(bash "$repo/scripts/debian-sources.sh" deb "$codename" | awk '/^URIs:/ { print $2; exit }')
  echo "== $codename: debootstrap (minimal, with git) into $target" >&2
  if ! debootstrap --variant=minbase --include=git "$codename" "$target" "$mirror" >"$logs/debootstrap.log" 2>&1; then
    tail -20 "$logs/debootstrap.log" >&2
    results+=("$codename debootstrap FAILED")
    failed=1
    release_root
    return
  fi

  # The machine's apt sources and fetch settings (a snapshot mirror may need its date
  # checks off), name resolution, and, for networks that inspect TLS, the machine's CA
  # bundle.
  rm -f "$target/etc/apt/sources.list"
  bash "$repo/scripts/debian-sources.sh" deb "$codename" >"$target/etc/apt/sources.list.d/debian.sources"
  apt-config dump | grep -E '^Acquire::(Check-Valid-Until|Check-Date|https?::Proxy|IndexTargets::deb::DEP-11)' \
    >"$target/etc/apt/apt.conf.d/90machine" || true
  cp /etc/resolv.conf "$target/etc/resolv.conf"
  cp /etc/ssl/certs/ca-certificates.crt "$target/etc/machine-ca.crt"
  local fs
  for fs in proc sys dev; do
    mount --rbind "/$fs" "$target/$fs"
    mounted+=("$target/$fs")
    mount --make-rslave "$target/$fs"
  done
  git clone --quiet --no-local "$repo" "$target/root/cube-rotation"

  local failed_before=$failed
  step run "bash scripts/run.sh" legend_then_no_display
  if ((failed == failed_before || keep_going)); then
    step test "bash scripts/test.sh" passed_with_zero
  fi
  echo "== $codename: Debian $(cat "$target/etc/debian_version"), Node.js $(in_root 'node --version' 2>/dev/null || echo 'not installed')" >&2
  release_root
}

for release in "${releases[@]}"; do
  check_release "$release"
done
printf '%s\n' "${results[@]}"
exit "$failed"
