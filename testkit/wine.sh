#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and in a Wine prefix of the build's own, so
# that no user's prefix is touched. The first run makes the prefix (a few seconds), under a
# lock, since the test programs may start together. Runs with an X display get a prefix,
# and so a Wine server, of their own: a server first started without a display keeps a
# desktop that cannot show windows, and later windows fail to open on it.
#   wine.sh PROGRAM [ARGUMENT...]   runs PROGRAM
#   wine.sh --end                   ends the prefix's server and all it runs, and waits
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/cube-rotation-wine${DISPLAY:+-x11}}
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
# The desktop of a server lives on the X display of the program that first needed it, so
# a test that stops its display ends the server too, or the next test's windows would
# depend on a desktop whose display is gone.
if [[ "${1:-}" == --end ]]; then
  /usr/lib/wine/wineserver -k 2>/dev/null || true # no server: nothing to end
  exec /usr/lib/wine/wineserver -w
fi
# Under the lock:
# - the prefix counts as made only once its boot, and the boot's server, have ended;
# - a server that outlives each program by a while saves a second per run. Whoever starts
#   it also starts Wine's services (services.exe, rpcss, ...) from a program with no
#   stream of ours: they keep the standard error of the program that started them for as
#   long as the server lives, and CTest would wait on a test's until the suite ended.
# What Wine starts does not get the lock's descriptor, or it would hold the lock as long.
made=$WINEPREFIX/made-by-wine.sh
(
  flock 9
  if [[ ! -f "$made" ]]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&-
    /usr/lib/wine/wineserver -w
    touch "$made"
  fi
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
