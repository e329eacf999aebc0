#!/usr/bin/env bash
# Builds, for tests under Wine only, an OpenAL32.dll that Wine loads as a
# built-in library and that hands every call to this machine's own OpenAL Soft
# (Debian's libopenal1): tools/wine-openal.sh OUT_DIR
# To use it, copy OUT_DIR/openal32-fake.dll to the Wine prefix's
# drive_c/windows/system32/openal32.dll (Wine then looks for the built-in)
# and run with WINEDLLPATH=OUT_DIR. It stands in for the OpenAL Soft DLL of
# the Windows package while that cannot be built (its source package is not to
# be had); it never goes into the package. Needs wine64-tools, libwine-dev and
# libopenal-dev.
set -euo pipefail
out=$1
mkdir -p "$out"
headers=/usr/include/AL

# One wrapper per function of the API: called with Windows' conventions, it
# calls the Linux library with the Linux ones.
{
    cat <<'EOF'
#include <windef.h>

typedef char ALboolean, ALchar, ALCboolean, ALCchar;
typedef signed char ALbyte, ALCbyte;
typedef unsigned char ALubyte, ALCubyte;
typedef short ALshort, ALCshort;
typedef unsigned short ALushort, ALCushort;
typedef int ALint, ALsizei, ALenum, ALCint, ALCsizei, ALCenum;
typedef unsigned int ALuint, ALCuint;
typedef float ALfloat, ALCfloat;
typedef double ALdouble, ALCdouble;
typedef void ALvoid, ALCvoid;
typedef struct ALCdevice ALCdevice;
typedef struct ALCcontext ALCcontext;
EOF
    sed -n 's/^ALC\{0,1\}_API \(.*\) ALC\{0,1\}_APIENTRY \([a-zA-Z0-9_]*\)(\(.*\));.*/\1|\2|\3/p' \
        "$headers/al.h" "$headers/alc.h" |
        awk -F'|' '{
            ret = $1; name = $2; params = $3
            n = split(params, parts, ",")
            args = ""
            if (params != "void")
                for (i = 1; i <= n; i++) {
                    p = parts[i]
                    sub(/[ \t]+$/, "", p)
                    m = split(p, words, /[ *]+/)
                    args = args (i > 1 ? ", " : "") words[m]
                }
            print "extern " ret " " name "(" params ");"
            print ret " CDECL wine_" name "(" params ") { " (ret == "void" ? "" : "return ") name "(" args "); }"
        }'
} >"$out/openal32.c"

sed -n 's/^ALC\{0,1\}_API .* ALC\{0,1\}_APIENTRY \([a-zA-Z0-9_]*\)(.*/@ cdecl \1() wine_\1/p' \
    "$headers/al.h" "$headers/alc.h" >"$out/openal32.spec"

winegcc -shared -O1 -o "$out/openal32.dll" "$out/openal32.spec" "$out/openal32.c" -lopenal
winebuild --dll --fake-module -m64 -E "$out/openal32.spec" -F openal32.dll -o "$out/openal32-fake.dll"
