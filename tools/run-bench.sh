#!/usr/bin/env bash
# Runs the speed measurements built in a build directory (default build-bench)
# and prints their figures: tools/with-xvfb.sh tools/run-bench.sh build-bench
# They need an X display and run in the build directory, where the font,
# sprites and sounds are staged; audio goes nowhere.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(cd "${1:-build-bench}" && pwd)
export ALSOFT_DRIVERS=null
cd "$build_dir"

echo "== Drawing a frame: gathered into one draw call, and one character at a time"
bench/render_bench

echo "== World update and draw pass, and recording a frame, the whole level built"
bench/world_bench --benchmark_min_time=2

echo "== World at scale: build, update and delete from 1000 to 20000 objects, and crowds of movers"
bench/world_scale
