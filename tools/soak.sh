#!/usr/bin/env bash
# The soak: tools/soak.sh [BUILD_DIR] [SECONDS]
# A monkey player (random A, D, Space and clicks at random points, never Q)
# drives the built game under a virtual display for SECONDS (600 by default);
# when its player dies, a new run starts. Every run must end with exit code
# 0 and no sanitizer report, and its resident memory at the end of play must be
# within 10 % of what it was after 10 seconds. By default in the sanitizer
# build, which is configured and built here when needed; `make test` runs it
# for 60 s. The figures of each run are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-sanitize}
seconds=${2:-600}

[ -f "$build_dir/CMakeCache.txt" ] || tools/configure-sanitize.sh "$build_dir" >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}" --target e2e_tests

echo "Soak: ${seconds} s in $build_dir"
ORVANE_SOAK_SECONDS=$seconds tools/with-xvfb.sh tools/sanitizer-env.sh \
    "$build_dir/tests/e2e/e2e_tests" --gtest_filter='Soak.*'
