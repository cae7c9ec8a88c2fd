#!/usr/bin/env bash
# The check to run before a release: does the README's quick start work on a fresh Debian
# 12? Makes a minimal Debian 12 root with debootstrap from this machine's own apt sources,
# clones the committed state of this repository into it and runs the README's two commands
# there as root, with no display and no standard input. Prints each command's status, time
# and the number of packages it installed; exits non-zero if either fails. The commands'
# output is kept in build/fresh-debian/; everything else it makes is unmounted and removed
# when it ends, also when interrupted. Takes 10-30 minutes.
#   fresh-debian.sh [--keep-going]   (--keep-going: run the test command even if run.sh fails)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
keep_going=0
[[ "${1:-}" == "--keep-going" ]] && keep_going=1
((EUID == 0)) || { echo "fresh-debian.sh: run as root (debootstrap, chroot and mount need it)" >&2; exit 2; }
bash "$repo/scripts/install-deps.sh" release

work=$(mktemp -d "${TMPDIR:-/tmp}/cube-fresh-XXXXXX")
logs=$repo/build/fresh-debian
rm -rf "$logs" && mkdir -p "$logs"
target=$work/root
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
cleanup() {
  set +e
  stop_processes_in_root
  for ((i = ${#mounted[@]} - 1; i >= 0; --i)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}"
  done
  # Never remove through a mount that is still there: that would reach the machine's /dev.
  if grep -qF " $work" /proc/self/mountinfo; then
    echo "fresh-debian.sh: $work still has mounts; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mirror=$(bash "$repo/scripts/debian-sources.sh" deb | awk '/^URIs:/ { print $2; exit }')
echo "== debootstrap (minimal Debian 12 with git) into $target" >&2
debootstrap --variant=minbase --include=git bookworm "$target" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log" >&2; exit 1; }

# The machine's apt sources and fetch settings (a snapshot mirror may need its date checks
# off), name resolution, and, for networks that inspect TLS, the machine's CA bundle.
rm -f "$target/etc/apt/sources.list"
bash "$repo/scripts/debian-sources.sh" deb >"$target/etc/apt/sources.list.d/debian.sources"
apt-config dump | grep -E '^Acquire::(Check-Valid-Until|Check-Date|https?::Proxy|IndexTargets::deb::DEP-11)' \
  >"$target/etc/apt/apt.conf.d/90machine" || true
cp /etc/resolv.conf "$target/etc/resolv.conf"
cp /etc/ssl/certs/ca-certificates.crt "$target/etc/machine-ca.crt"

for fs in proc sys dev; do
  mount --rbind "/$fs" "$target/$fs"
  mounted+=("$target/$fs")
  mount --make-rslave "$target/$fs"
done

git clone --quiet --no-local "$repo" "$target/root/cube-rotation"

installed() { chroot "$target" dpkg-query -W -f='${db:Status-Abbrev}\n' | grep -c '^ii'; }
# Runs one of the README's commands in the root: a login shell's environment, no display,
# no standard input.
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    NODE_EXTRA_CA_CERTS=/etc/machine-ca.crt GIT_SSL_CAINFO=/etc/machine-ca.crt \
    bash -c "cd /root/cube-rotation && $1" </dev/null
}

results=()
failed=0
step() {
  local name=$1 command=$2 check=$3 before after start status
  before=$(installed)
  start=$SECONDS
  echo "== $name: $command" >&2
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
  results+=("$(printf '%-8s %-6s status %-3s %5d s  %4d packages installed' \
    "$name" "$verdict" "$status" $((SECONDS - start)) $((after - before)))")
}

# Without a display the program still runs the dialogue, prints the legend and then GLUT
# cannot open its window (status 1): the build and the console stage are what is checked.
legend_then_no_display() {
  grep -q 'Kocka rotirana oko Z-ose: zuta$' "$logs/run.out" &&
    { [[ $1 == 0 ]] || grep -q 'failed to open display' "$logs/run.err"; }
}
passed_with_zero() { [[ $1 == 0 ]]; }

step run "bash scripts/run.sh" legend_then_no_display
if ((failed == 0 || keep_going)); then
  step test "bash scripts/test.sh" passed_with_zero
fi

echo "== Debian $(cat "$target/etc/debian_version"), Node.js $(in_root 'node --version' 2>/dev/null || echo 'not installed')" >&2
printf '%s\n' "${results[@]}"
exit "$failed"
