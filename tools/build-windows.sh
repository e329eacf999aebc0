#!/usr/bin/env bash
# Builds the game for 64-bit Windows and packs it: tools/build-windows.sh [BUILD_DIR]
# (build-windows by default). The package, BUILD_DIR/orvane-windows.zip, holds
# one folder, orvane/, with orvane.exe, orvane-replay.exe, OpenAL32.dll, the game's data laid out
# as the program reads it from its working folder, the licence texts of
# everything in it and a README.txt with Windows line ends.
# ORVANE_WINDOWS_TARGETS (default: orvane orvane-replay) names what to build;
# "all", for the tests, builds the Windows test programs too.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-windows}
targets=${ORVANE_WINDOWS_TARGETS:-orvane orvane-replay}

tools/install-deps.sh windows
prefix=$(tools/windows-deps.sh | tail -n 1)

# Libraries found in an older prefix stay in CMake's cache: a new prefix
# (other sources, or a changed script) means configuring afresh.
if [ -f "$out/CMakeCache.txt" ] && [ "$(cat "$out/deps-prefix.txt" 2>/dev/null)" != "$prefix" ]; then
    rm -rf "$out/CMakeCache.txt" "$out/CMakeFiles"
fi
mkdir -p "$out"
echo "$prefix" >"$out/deps-prefix.txt"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DORVANE_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release >"$out.configure.log" 2>&1 || { cat "$out.configure.log" >&2; exit 1; }
rm -f "$out.configure.log"
for target in $targets; do
    nice cmake --build "$out" -j "${JOBS:-2}" --target "$target"
done

package=$out/package/orvane
rm -rf "$out/package" "$out/orvane-windows.zip"
mkdir -p "$package/licenses"
cp "$out/orvane.exe" "$out/orvane-replay.exe" "$package/"
x86_64-w64-mingw32-strip "$package/orvane.exe" "$package/orvane-replay.exe"
cp -r data/sprites data/sounds data/musics data/ov-font.ttf "$package/"
cp "$prefix/bin/OpenAL32.dll" "$package/"
x86_64-w64-mingw32-strip "$package/OpenAL32.dll"
for name in sfml freetype openal ogg vorbis flac; do
    for file in "$prefix/share/licenses/$name"/*; do
        [ -f "$file" ] && cp "$file" "$package/licenses/$name-$(basename "$file")"
    done
done
cp data/ov-font-LICENSE.txt "$package/licenses/font-LICENSE.txt"
sed 's/$/\r/' >"$package/README.txt" <<'EOF'
Orvane for 64-bit Windows

Unzip this package anywhere: it makes one folder, orvane. Start orvane.exe
in that folder by double-clicking it, or from a command prompt opened in that
folder: the game reads its font, sprites, sounds and music from the folder it
is started in, and writes orvane.log there. Started from another folder, it
says so and does not start.

SPACE       start; jump, higher the longer it is held
A / D       walk left / right
left click  attack towards the pointer
Q           quit

Every game writes orvane.replay beside orvane.log: a recording of the run.
To report a fault, send both files. To watch a recording, open a command
prompt in this folder and type:  orvane-replay orvane.replay
(first copy the recording under another name, since a new game overwrites
it). Q ends a replay; --fast plays it without waiting between frames, and
--check also says whether the game still plays it exactly as recorded.

The window's close button does nothing: Q quits. Closing the console window,
or Ctrl+C in it, ends the game as Q does.

OpenAL32.dll is OpenAL Soft (LGPL, see licenses/openal-COPYING): it may be
replaced by another build of OpenAL Soft. Licence texts of everything in this
package are in licenses/.
EOF
(cd "$out/package" && zip -q -r -X ../orvane-windows.zip orvane)
echo "packed $out/orvane-windows.zip"

# Every DLL the program or OpenAL Soft needs is either Windows' own or in the
# package (no MinGW runtime DLL).
missing=0
for dll in $(x86_64-w64-mingw32-objdump -p "$package/orvane.exe" "$package/orvane-replay.exe" "$package/OpenAL32.dll" |
    sed -n 's/^\tDLL Name: //p' | sort -u); do
    case "$(echo "$dll" | tr 'A-Z' 'a-z')" in
    kernel32.dll | user32.dll | gdi32.dll | winmm.dll | opengl32.dll | advapi32.dll | msvcrt.dll | shell32.dll | \
    ole32.dll | ws2_32.dll | dinput8.dll | avrt.dll | api-ms-win-*) ;;
    *) [ -f "$package/$dll" ] || { echo "build-windows: $dll is needed but not in the package" >&2; missing=1; } ;;
    esac
done
[ "$missing" -eq 0 ] || exit 1
