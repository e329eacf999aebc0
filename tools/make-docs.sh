#!/usr/bin/env bash
# The engine's API reference: tools/make-docs.sh [OUT] (build-docs by default)
# writes OUT/html/index.html with doxygen from the headers the engine installs
# (configured, not built, in OUT/cmake; installed into OUT/stage) and
# docs/writing-a-game.md as its first page. Fails on any warning, an
# undocumented public member included.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:-build-docs}" && cd "${1:-build-docs}" && pwd)

cmake -S . -B "$out/cmake" -DORVANE_TESTS=OFF >/dev/null
rm -rf "$out/stage" "$out/html"
cmake --install "$out/cmake" --prefix "$out/stage" --component headers >/dev/null

export ORVANE_VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt")
export ORVANE_DOCS_HEADERS=$out/stage/include/orvane
export ORVANE_DOCS_GUIDE=$PWD/docs/writing-a-game.md
export ORVANE_DOCS_IMAGES=$PWD/docs
export ORVANE_DOCS_OUTPUT=$out
export ORVANE_DOCS_FILTER=$PWD/docs/comments.sed
doxygen docs/Doxyfile
echo "reference: $out/html/index.html"
