#!/usr/bin/env bash
# Builds what an outside game programmer builds, from the engine's package
# alone: tools/build-example.sh [BUILD_DIR] (build by default)
#  1. installs the engine of BUILD_DIR into BUILD_DIR/stage (cmake --install);
#  2. builds every installed header alone, one translation unit each
#     (tests/package), against that package;
#  3. builds the example game examples/hopper against it into
#     BUILD_DIR/hopper, where it runs: ./hopper
# Neither project sees this source tree's folders: only the package.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(cd "${1:-build}" && pwd)
stage=$build_dir/stage
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")

cmake --build "$build_dir" -j "${JOBS:-2}" --target orvane_engine
rm -rf "$stage"
cmake --install "$build_dir" --prefix "$stage" >/dev/null
for project in tests/package:header-check examples/hopper:hopper; do
    cmake -S "${project%%:*}" -B "$build_dir/${project##*:}" -DCMAKE_PREFIX_PATH="$stage" \
        -DCMAKE_BUILD_TYPE="${type:-Release}" >/dev/null
    cmake --build "$build_dir/${project##*:}" -j "${JOBS:-2}"
done
