#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and in a Wine prefix of the build's own, so
# that no user's prefix is touched. The first run makes the prefix (a few seconds), under a
# lock, since the test programs may start together.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/cube-rotation-wine}
export WINEDEBUG=-all
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  (
    flock 9
    [[ -f "$WINEPREFIX/system.reg" ]] || /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  ) 9>"$WINEPREFIX.lock"
fi
# A server that outlives each program by a while saves a second per run; one that is
# already running stays as it is.
/usr/lib/wine/wineserver -p10 2>/dev/null || true
exec /usr/lib/wine/wine64 "$@"
