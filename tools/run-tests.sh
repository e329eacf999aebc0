#!/usr/bin/env bash
# Everything `make test` runs, headless: the test programs under a virtual
# display with silent audio, then the Windows build check.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
export ALSOFT_DRIVERS=null

echo "== Tests"
tools/with-xvfb.sh ctest --test-dir "$build_dir" --output-on-failure

echo "== Windows build of the platform layer and the core"
tools/check-windows.sh
