#!/usr/bin/env bash
# Measures cube-rotation beside plain baselines and prints one table of ratios. Runs on a
# virtual X server of its own with Mesa's software renderer, and the web page in headless
# Chromium; takes about ten minutes.
#   bench.sh [--quick]   (--quick: three rounds of each figure instead of dozens, a few
#                         minutes: the table shows that every part runs, not reliable ratios)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$root"
case ${1:-} in
  --quick) export BENCH_ROUNDS=3 ;;
  "") ;;
  *) echo "usage: bench.sh [--quick]" >&2; exit 2 ;;
esac
need_packages build run web test
quietly build_preset bench

renderer=$(build/bench/bench/frame_bench --renderer)
echo "Benchmark of cube-rotation under Xvfb, Mesa software rendering${renderer:+ ($renderer)}, $(nproc) cores."
echo "Each figure is a ratio measured side by side in this run; times are medians over ${BENCH_ROUNDS:-several} rounds."
echo
echo "| figure | measured | target |"
echo "|---|---|---|"
build/bench/bench/frame_bench
build/bench/bench/startup_bench

# Reading a 200 MB number, beside three short answers: peak resident memory. No display,
# so the program ends where its window would open, with GLUT's failure (hence || true).
peak() { (env -u DISPLAY /usr/bin/time -f '%M' build/bench/app/cube-rotation 2>&1 >/dev/null || true) | tail -n 1; }
huge=$({ head -c 200000000 /dev/zero | tr '\0' 7; printf ' 45 60\n'; } | peak)
short=$(echo "30 45 60" | peak)
echo "| peak resident memory: a 200 MB number / three short answers | $(awk -v h="$huge" -v s="$short" \
  'BEGIN { printf "%.3f× (%d KiB / %d KiB)", h / s, h, s }') | ≤ 1.05× |"

# The Windows program under Wine beside a bare GLUT .exe built the same way (static, with
# the same freeglut), and the size of the download beside the bare .exe's, each zipped.
quietly build_preset mingw-bench
windows=$root/build/mingw-bench
build/bench/bench/startup_bench --windows "$root/testkit/wine.sh" \
  "$windows/app/cube-rotation.exe" "$windows/bench/minimal_glut.exe"
(cd "$windows" && quietly cpack)
bare=$(mktemp -d)
x86_64-w64-mingw32-strip -o "$bare/minimal_glut.exe" "$windows/bench/minimal_glut.exe"
(cd "$bare" && cmake -E tar cf bare.zip --format=zip minimal_glut.exe)
zip_bytes=$(stat -c %s "$windows"/cube-rotation-*-win64.zip)
bare_bytes=$(stat -c %s "$bare/bare.zip")
rm -rf "$bare"
echo "| Windows download: the zip / the bare .exe zipped the same way | $(awk -v z="$zip_bytes" -v b="$bare_bytes" \
  'BEGIN { printf "%.3f× (%d B / %d B)", z / b, z, b }') | |"

# The web page beside a bare GLUT page with the same toolchain, flags and console pane.
quietly build_preset web-bench
quietly install_browser_tools
bash testkit/xvfb.sh node bench/web_bench.mjs "$root/build/web-bench/page" "$root/build/web-bench/bench/minimal-page" \
  "$root/build/web-bench/cube-rotation.html" "$root/build/web-bench/bench/minimal.html"
