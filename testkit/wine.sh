#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and in a Wine prefix of the build's own, so
# that no user's prefix is touched. The first run makes the prefix (a few seconds), under a
# lock, since the test programs may start together. Runs with an X display get a prefix,
# and so a Wine server, of their own: a server first started without a display keeps a
# desktop that cannot show windows, and later windows fail to open on it.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/cube-rotation-wine${DISPLAY:+-x11}}
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
# The prefix counts as made only once its boot has ended, and the boot's server with it,
# so that no program starts against a prefix still being made.
made=$WINEPREFIX/made-by-wine.sh
if [[ ! -f "$made" ]]; then
  (
    flock 9
    if [[ ! -f "$made" ]]; then
      "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&-
      /usr/lib/wine/wineserver -w
      touch "$made"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# A server that outlives each program by a while saves a second per run; one that is
# already running stays as it is. Wine's services (services.exe, rpcss and the rest) start
# with the first program a new server runs and keep that program's standard error open
# for as long as the server lives, so a test whose program started them would look
# unfinished to CTest until the suite's last Wine program is done. Whoever starts the
# server therefore starts them too, from a program with no stream of ours, before any
# other run can reach the server. (The lock's descriptor is closed for what Wine starts:
# its server and services would hold the lock for as long as they live.)
(
  flock 9
  if /usr/lib/wine/wineserver -p10 </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"
if [[ -z "${DISPLAY:-}" ]]; then
  exec "$wine" "$@"
fi
# DISPLAY tells Wine which X server to draw on, and Wine also hands it to the program's
# Windows environment, where no Windows program would ever find it: freeglut reads it as
# a display name of its own and warns on standard error. So the program starts from cmd
# with the variable removed; Wine itself still draws on the display. The exit status,
# the standard streams and the arguments pass through cmd unchanged.
program=$("$wine" winepath -w "$1")
shift
exec "$wine" cmd /c set 'DISPLAY=&&' "$program" "$@"
