#!/usr/bin/env bash
# Everything `make test` runs, headless: tools/run-tests.sh [BUILD_DIR]
#  1. the test programs and the end-to-end scenarios of the main build,
#     under a virtual display with silent audio (the engine installed into
#     the build folder and the example game built against it among them),
#     and the engine's reference (tools/make-docs.sh, into build-docs);
#  2. the Windows build (tools/test-windows.sh): the package and the unit
#     tests built for Windows, run under Wine;
#  3. the sanitizer build (clang, AddressSanitizer and
#     UndefinedBehaviorSanitizer) in one directory shared with the fuzz
#     target: the unit tests and the first scenario in it, the sprite
#     loader's fuzzing and the short soak.
# ORVANE_SANITIZE_DIR (build-sanitize), ORVANE_FUZZ_SECONDS and
# ORVANE_SOAK_SECONDS (60 each) change the last part.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
sanitize_dir=${ORVANE_SANITIZE_DIR:-build-sanitize}
export ALSOFT_DRIVERS=null

echo "== Tests"
tools/with-xvfb.sh ctest --test-dir "$build_dir" --output-on-failure

echo "== The engine's reference"
tools/make-docs.sh build-docs

echo "== Windows build, tested under Wine"
tools/test-windows.sh "$build_dir"

echo "== Sanitizer build in $sanitize_dir"
tools/configure-sanitize.sh "$sanitize_dir" >/dev/null
cmake --build "$sanitize_dir" -j "${JOBS:-2}"

echo "== Unit tests and the first scenario under the sanitizers"
tools/with-xvfb.sh tools/sanitizer-env.sh \
    ctest --test-dir "$sanitize_dir" --output-on-failure -L 'unit|sanitize'

echo "== Fuzzing the sprite loader"
tools/run-fuzz.sh "$sanitize_dir" "${ORVANE_FUZZ_SECONDS:-60}"

echo "== Soak"
tools/soak.sh "$sanitize_dir" "${ORVANE_SOAK_SECONDS:-60}"
