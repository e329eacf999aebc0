#!/usr/bin/env bash
# Configures the sanitizer build: tools/configure-sanitize.sh BUILD_DIR
# clang, with AddressSanitizer and UndefinedBehaviorSanitizer on every
# source, the tests and the sprite loader's fuzz target, all in one
# directory, whose absolute path it prints. tools/run-tests.sh,
# tools/run-fuzz.sh and tools/soak.sh all configure through here, so they
# share one build and never undo each other's settings.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
build_dir=$(cd "$1" && pwd)

CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_SANITIZE=ON -DORVANE_FUZZ=ON -DORVANE_TESTS=ON >"$build_dir/configure.log" \
    || { cat "$build_dir/configure.log" >&2; exit 1; }
echo "$build_dir"
