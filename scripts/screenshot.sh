#!/usr/bin/env bash
# Makes the README's pictures, each answered 30, 45, 60: docs/screenshot.png, the real
# program's window on a virtual X server, and docs/page.png, the web page in Chromium.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
need_packages build run web test
build_preset test cube-rotation window-shot
build_preset web cube-rotation-web
install_browser_tools
cd "$root"
mkdir -p docs
shot=$(mktemp --suffix=.ppm)
trap 'rm -f "$shot" "$shot.input"' EXIT
printf '30\n45\n60\n' >"$shot.input"
bash testkit/xvfb.sh build/test/testkit/window-shot "$shot" "$shot.input" build/test/app/cube-rotation >/dev/null
convert "$shot" docs/screenshot.png
echo "wrote docs/screenshot.png"
node testkit/page_screenshot.mjs "$root/build/web/page" docs/page.png
echo "wrote docs/page.png"
