#!/usr/bin/env bash
# The check to run before a release: does the README's quick start work on a fresh Debian
# 12 and a fresh Debian 13? For each, makes a minimal root with debootstrap from this
# machine's own mirrors, clones the committed state of this repository into it and runs
# there as root, with no display and no standard input, what a newcomer would: the run
# command, the page's command (web.sh, served and stopped), then the test command. Prints
# each command's status, time and the number of packages it installed; exits non-zero if
# any fails. The commands' output is kept in build/fresh-debian/ROOT/; everything else it
# makes is unmounted and removed when it ends, also when interrupted. Takes 10-30 minutes
# a root.
#
# Debian 12 is checked twice: from its main suite alone, as a point release installed
# without updates has it (Firefox ESR 140, say), and with its security and other updates
# (Firefox ESR 153); Debian 13 with its updates.
#   fresh-debian.sh [12-main|12|13|all]... [--keep-going]
#     (default all: 12-main, 12 and 13; --keep-going: run the later commands even if an
#      earlier one fails)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
repo=$root
roots=()
keep_going=0
for argument in "$@"; do
  case $argument in
    12-main) roots+=(bookworm-main) ;;
    12) roots+=(bookworm) ;;
    13) roots+=(trixie) ;;
    all) roots+=(bookworm-main bookworm trixie) ;;
    --keep-going) keep_going=1 ;;
    *) echo "usage: fresh-debian.sh [12-main|12|13|all]... [--keep-going]" >&2; exit 2 ;;
  esac
done
((${#roots[@]} > 0)) || roots=(bookworm-main bookworm trixie)
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
# (a COMMAND that names a function of this script runs here, and reaches into the root).
step() {
  local name=$1 command=$2 check=$3 before after start status
  before=$(installed)
  start=$SECONDS
  echo "== $name_of_root: $name: $command" >&2
  set +e
  if declare -F "$command" >/dev/null; then
    "$command" >"$logs/$name.out" 2>"$logs/$name.err"
  else
    in_root "$command" >"$logs/$name.out" 2>"$logs/$name.err"
  fi
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
  results+=("$(printf '%-13s %-5s %-6s status %-3s %5d s  %4d packages installed' \
    "$name_of_root" "$name" "$verdict" "$status" $((SECONDS - start)) $((after - before)))")
}

# web.sh in the root, in the background, as a newcomer who starts with the page would run
# it: it must serve the page and the single file on 127.0.0.1 (the root shares this
# machine's network); then it is stopped. Fails when it ends first or takes 30 minutes.
serve_the_page() {
  local port deadline served=1
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  echo "== in the root: bash scripts/web.sh $port"
  in_root "bash scripts/web.sh $port" &
  local server=$!
  deadline=$((SECONDS + 1800))
  while kill -0 "$server" 2>/dev/null && ((SECONDS < deadline)); do
    if python3 - "$port" <<'PYTHON' 2>/dev/null; then
import sys, urllib.request
for name in ("", "cube-rotation.html"):
    urllib.request.urlopen(f"http://127.0.0.1:{sys.argv[1]}/{name}", timeout=10).read()
PYTHON
      served=0
      echo "== served index.html and cube-rotation.html"
      break
    fi
    sleep 2 # the poll's interval; the server's end or the deadline decides
  done
  stop_processes_in_root
  wait "$server" 2>/dev/null || true
  return "$served"
}

# Without a display the program still runs the dialogue, prints the legend and then GLUT
# cannot open its window (status 1): the build and the console stage are what is checked.
legend_then_no_display() {
  grep -q 'Kocka rotirana oko Z-ose: zuta$' "$logs/run.out" &&
    { [[ $1 == 0 ]] || grep -q 'failed to open display' "$logs/run.err"; }
}
passed_with_zero() { [[ $1 == 0 ]]; }

# A fresh root of one release (bookworm-main: the release's own suite alone), the README's
# commands in it, and the root removed.
check_release() {
  name_of_root=$1
  codename=${1%-main}
  local only=()
  [[ "$name_of_root" == *-main ]] && only=(--release-only)
  target=$work/$name_of_root
  logs=$repo/build/fresh-debian/$name_of_root
  rm -rf "$logs" && mkdir -p "$logs"
  local mirror
  mirror=$(bash "$repo/scripts/debian-sources.sh" deb "$codename" | awk '/^URIs:/ && !m { print $2; m = 1 }')
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
  bash "$repo/scripts/debian-sources.sh" deb "$codename" "${only[@]}" >"$target/etc/apt/sources.list.d/debian.sources"
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
    step web serve_the_page passed_with_zero
  fi
  if ((failed == failed_before || keep_going)); then
    step test "bash scripts/test.sh" passed_with_zero
  fi
  echo "== $name_of_root: Debian $(cat "$target/etc/debian_version"), Node.js $(in_root 'node --version' 2>/dev/null || echo 'not installed'), $(in_root 'firefox-esr --version' 2>/dev/null || echo 'no Firefox')" >&2
  release_root
}

for name in "${roots[@]}"; do
  check_release "$name"
done
printf '%s\n' "${results[@]}"
exit "$failed"
