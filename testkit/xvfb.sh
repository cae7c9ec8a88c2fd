#!/usr/bin/env bash
# A virtual X server, so that windows open with no display and never on the user's; the
# tests, the benchmark and the screenshots all start theirs here. Two ways to use it:
#   xvfb.sh --displayfd FD   becomes the server, which writes its display number to FD
#                            once it accepts connections
#   xvfb.sh COMMAND...       runs COMMAND with DISPLAY naming a server of its own, which
#                            stops when COMMAND ends
# -noreset: without it the server resets each time its last client leaves, and a program
# that connects during the reset fails to open the display.
set -euo pipefail
server=(Xvfb -screen 0 1280x1024x24 -nolisten tcp -noreset)
if [[ "${1:-}" == --displayfd ]]; then
  exec "${server[@]}" -displayfd "${2:?file descriptor}" >/dev/null 2>&1
fi
(($# > 0)) || { echo "usage: xvfb.sh --displayfd FD | xvfb.sh COMMAND..." >&2; exit 2; }
exec {ready}<> <(:)
"${server[@]}" -displayfd "$ready" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
read -r -t 60 -u "$ready" number || { echo "xvfb.sh: Xvfb did not say its display number within 60 s" >&2; exit 1; }
DISPLAY=":$number" "$@"
