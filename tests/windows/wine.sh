#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and in a Wine prefix of the build's own, so
# that no user's prefix is touched. The first run makes the prefix (a few seconds).
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/cube-rotation-wine}
export WINEDEBUG=-all
# A server that outlives each program by a while saves a second per run; one that is
# already running stays as it is.
/usr/lib/wine/wineserver -p10 2>/dev/null || true
exec /usr/lib/wine/wine64 "$@"
