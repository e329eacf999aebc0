#!/usr/bin/env bash
# Cross-compiles, for 64-bit Windows with MinGW-w64, the platform layer and every
# engine source that does not need SFML, and links a small program on the
# platform layer, so that a broken Windows path shows up here on Linux.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-windows}
cxx=x86_64-w64-mingw32-g++
mkdir -p "$out"

sources=()
for source in $(find engine -name '*.cpp' ! -name 'PlatformPosix.cpp' | sort); do
    if [ "$(basename "$source")" = PlatformWindows.cpp ]; then
        sources+=("$source")
    elif ! g++ -std=c++17 -I. -M "$source" 2>/dev/null | grep "SFML/" >/dev/null; then
        sources+=("$source")
    fi
done

# The core that must build without SFML, whatever else joins it.
for required in engine/core/PlatformWindows.cpp engine/core/Clock.cpp engine/core/LogManager.cpp \
                engine/core/Manager.cpp engine/world/ObjectList.cpp; do
    printf '%s\n' "${sources[@]}" | grep -qx "$required" || { echo "missing from the Windows build: $required" >&2; exit 1; }
done

for source in "${sources[@]}"; do
    object="$out/$(echo "$source" | tr '/' '_').o"
    $cxx -std=c++17 -O1 -Wall -Wextra -Werror=return-type -I. -c "$source" -o "$object"
    echo "compiled $source"
done

$cxx -std=c++17 -I. tests/windows/PlatformSmoke.cpp "$out/engine_core_PlatformWindows.cpp.o" \
    -static -lwinmm -o "$out/platform-smoke.exe"
echo "linked $out/platform-smoke.exe"
