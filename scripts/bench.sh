#!/usr/bin/env bash
# Measures cube-rotation beside plain baselines and prints one table of ratios. Runs on a
# virtual X server of its own with Mesa's software renderer; takes a few minutes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh build run test
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

renderer=$(build/bench/bench/frame_bench --renderer)
echo "Benchmark of cube-rotation under Xvfb, Mesa software rendering${renderer:+ ($renderer)}, $(nproc) cores."
echo "Each figure is a ratio measured side by side in this run; times are medians over several rounds."
echo
echo "| figure | measured | target |"
echo "|---|---|---|"
build/bench/bench/frame_bench
build/bench/bench/startup_bench
