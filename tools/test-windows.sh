#!/usr/bin/env bash
# The Windows build, tested under Wine: tools/test-windows.sh [BUILD_DIR]
#  1. builds the package and the Windows test programs (tools/build-windows.sh,
#     into ORVANE_WINDOWS_DIR, build-windows by default);
#  2. runs the core and world unit tests, built for Windows, under Wine;
#  3. unzips the package into an empty folder and plays it under Wine
#     (the WindowsPackage scenario of BUILD_DIR's e2e_tests, build by default).
# Each part under a private X server, in a Wine prefix made for this run and
# thrown away afterwards, with OpenAL Soft's silent output as on Linux.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
out=${ORVANE_WINDOWS_DIR:-build-windows}
export ALSOFT_DRIVERS=null

ORVANE_WINDOWS_TARGETS=all tools/build-windows.sh "$out"

WINEPREFIX=$(mktemp -d /tmp/orvane-wine-XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w

echo "== Windows unit tests under Wine"
tools/with-xvfb.sh ctest --test-dir "$out" --output-on-failure

echo "== The Windows package under Wine"
ORVANE_WINDOWS_ZIP=$PWD/$out/orvane-windows.zip \
    tools/with-xvfb.sh "$build_dir/tests/e2e/e2e_tests" --gtest_filter='WindowsPackage.*'

