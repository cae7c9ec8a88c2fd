#!/usr/bin/env bash
# Builds the web page (installing what it needs) and serves it on 127.0.0.1:
#   web.sh [PORT]   (default 8080)
# The folder it serves, build/web/page, works from any static file server: the page as
# files (index.html) and as one file (cube-rotation.html, which also opens straight from the
# disk). Needs no other build: the tests that compare the page with the native program run
# in the test command.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
need_packages build web
build_preset web cube-rotation-web
port=${1:-8080}
echo "The page as one file, to share or open from the disk: $root/build/web/cube-rotation.html"
echo "Open http://127.0.0.1:$port/ in a browser, or http://127.0.0.1:$port/cube-rotation.html (Ctrl-C stops the server)."
exec python3 -m http.server --bind 127.0.0.1 --directory "$root/build/web/page" "$port"
