#!/usr/bin/env bash
# Makes the README's pictures, each answered 30, 45, 60: docs/screenshot.png, the real
# program's window on a virtual X server, and docs/page.png, the web page in Chromium.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh build run web test
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
cmake --preset web >/dev/null
cmake --build --preset web --target cube-rotation-web >/dev/null
npm ci --prefix tests/web --no-audit --no-fund >/dev/null

exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 -u "$ready" number
export DISPLAY=":$number"
printf '30\n45\n60\n' | build/release/app/cube-rotation >/dev/null &
program=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT

title="Geometrija - prikaz zadatka"
for _ in $(seq 100); do
  xwininfo -name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1 # let the first frame land
mkdir -p docs
import -window "$(xwininfo -name "$title" | awk '/Window id:/ {print $4}')" docs/screenshot.png
echo "wrote docs/screenshot.png"
node tests/web/screenshot.mjs "$root/build/web/page" docs/page.png
echo "wrote docs/page.png"
