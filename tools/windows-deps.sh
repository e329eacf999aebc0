#!/usr/bin/env bash
# Cross-builds SFML 2.5 and the libraries it needs (FreeType, OpenAL Soft, Ogg,
# Vorbis, FLAC) and GoogleTest for 64-bit Windows, from Debian's own source
# packages, into a prefix cached outside the work tree. Prints the prefix on its
# last line of standard output; everything else goes to standard error.
#
#   tools/windows-deps.sh
#
# The prefix is ~/.cache/orvane/windows-<key> (ORVANE_CACHE_DIR replaces
# ~/.cache/orvane), where the key is a hash of the source packages' versions,
# the installed GoogleTest and MinGW versions, and this script and the
# toolchain file: a change to any of them builds a new prefix, otherwise the
# cached one is used as it is. Only the parts SFML uses are built, static,
# except OpenAL Soft, which is LGPL and so ships as OpenAL32.dll.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
toolchain=$root/cmake/mingw-w64-x86_64.cmake
packages="libogg libvorbis flac freetype openal-soft libsfml"
cache=${ORVANE_CACHE_DIR:-$HOME/.cache/orvane}
jobs=${JOBS:-2}

say() { echo "windows-deps: $*" >&2; }

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# Source packages need deb-src entries, which the machine's apt sources
# usually lack: derive them from the distribution's own binary entries (those
# whose suite starts with this release's code name), in a file of their own.
enable_sources() {
    apt-cache showsrc libsfml 2>/dev/null | grep -q '^Package: libsfml' && return 0
    local codename derived=/etc/apt/sources.list.d/orvane-deb-src.sources tmp
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    tmp=$(mktemp)
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && [ "$file" != "$derived" ] || continue
        case "$file" in
        *.sources)
            # deb822: keep the stanzas of the release whose types include deb.
            awk -v codename="$codename" '
                function flush() {
                    if (stanza != "" && isdeb && suite) { sub(/\n$/, "", stanza); print stanza "\n" }
                    stanza = ""; isdeb = 0; suite = 0
                }
                /^[ \t]*$/ { flush(); next }
                /^#/ { next }
                /^Types:/ { if ($0 ~ /[ \t]deb([ \t]|$)/) isdeb = 1; stanza = stanza "Types: deb-src\n"; next }
                /^Suites:/ { for (i = 2; i <= NF; i++) if (index($i, codename) == 1) suite = 1 }
                /^Enabled:[ \t]*no/ { isdeb = 0 }
                { stanza = stanza $0 "\n" }
                END { flush() }' "$file" >>"$tmp"
            ;;
        *)
            # One-line format: "deb [options] uri suite components".
            awk -v codename="$codename" '
                $1 == "deb" {
                    suite = ($2 ~ /^\[/) ? "" : $3
                    for (i = 2; i <= NF; i++) if ($i ~ /\]$/) { suite = $(i + 2); break }
                    if (index(suite, codename) == 1) { $1 = "deb-src"; print }
                }' "$file" >>"$tmp.list"
            ;;
        esac
    done
    if [ -s "$tmp.list" ]; then
        derived=/etc/apt/sources.list.d/orvane-deb-src.list
        $sudo cp "$tmp.list" "$derived"
    elif [ -s "$tmp" ]; then
        $sudo cp "$tmp" "$derived"
    else
        rm -f "$tmp" "$tmp.list"
        say "no apt source of this release to derive source entries from"
        return 1
    fi
    rm -f "$tmp" "$tmp.list"
    $sudo chmod 644 "$derived"
    say "source packages enabled in $derived"
    $sudo apt-get update -qq
}

# The version apt would fetch of a source package.
source_version() {
    apt-get source --print-uris "$1" 2>/dev/null |
        sed -n "s/^'[^']*' \(${1}_[^ ]*\)\.dsc .*/\1/p" | head -n 1
}

enable_sources
versions=""
for package in $packages; do
    version=$(source_version "$package")
    [ -n "$version" ] || { say "no source package $package"; exit 1; }
    versions+="$version"$'\n'
done
versions+="googletest_$(dpkg-query -W -f='${Version}' googletest)"$'\n'
versions+="mingw_$(x86_64-w64-mingw32-g++-posix -dumpversion)"$'\n'
key=$( { printf '%s' "$versions"; sha256sum "$0" "$toolchain" | cut -d' ' -f1; } | sha256sum | cut -c1-16)
prefix=$cache/windows-$key

# Source packages are fetched as root: apt's sandbox user cannot write here.
apt_source() { apt-get -o APT::Sandbox::User=root source "$@"; }

# A prefix built without a part is used again only while that part's source
# still cannot be had.
if [ -f "$prefix/.complete" ]; then
    if [ -f "$prefix/MISSING" ] && probe=$(mktemp -d) &&
        (cd "$probe" && apt_source --download-only -qq openal-soft >/dev/null 2>&1); then
        say "openal-soft's source can be had now: building again"
        rm -rf "$probe"
    else
        [ -n "${probe:-}" ] && rm -rf "$probe"
        say "cached: $prefix"
        echo "$prefix"
        exit 0
    fi
fi

say "building into $prefix"
rm -rf "$prefix"
mkdir -p "$prefix"
work=$(mktemp -d "$cache/build-XXXXXX")
trap 'rm -rf "$work"' EXIT

# Only this prefix's libraries are seen, never the build machine's.
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
export PKG_CONFIG_PATH=
export ORVANE_WINDOWS_PREFIX=$prefix

# Unpacks (with Debian's patches applied) one source package; prints its folder.
unpack() {
    (cd "$work" && apt_source -qq "$1" >&2) || return 1
    find "$work" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n 1
}

# Configures, builds and installs one CMake project into the prefix.
build() {
    local name=$1 source=$2
    shift 2
    say "$name"
    cmake -S "$source" -B "$work/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DBUILD_TESTING=OFF -Wno-dev "$@" >"$work/$name-configure.log" 2>&1 ||
        { tail -n 40 "$work/$name-configure.log" >&2; return 1; }
    nice cmake --build "$work/build-$name" -j "$jobs" >"$work/$name-build.log" 2>&1 ||
        { tail -n 40 "$work/$name-build.log" >&2; return 1; }
    cmake --install "$work/build-$name" >"$work/$name-install.log" 2>&1 ||
        { tail -n 20 "$work/$name-install.log" >&2; return 1; }
}

# Keeps a package's licence texts for the game's package.
licence() {
    local name=$1 source=$2
    shift 2
    mkdir -p "$prefix/share/licenses/$name"
    local file
    for file in "$@"; do
        cp "$source/$file" "$prefix/share/licenses/$name/"
    done
}

ogg=$(unpack libogg)
build ogg "$ogg" -DINSTALL_DOCS=OFF
licence ogg "$ogg" COPYING

vorbis=$(unpack libvorbis)
build vorbis "$vorbis"
licence vorbis "$vorbis" COPYING

flac=$(unpack flac)
build flac "$flac" -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
    -DINSTALL_MANPAGES=OFF -DWITH_OGG=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
licence flac "$flac" COPYING.Xiph

freetype=$(unpack freetype)
build freetype "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
licence freetype "$freetype" LICENSE.TXT docs/FTL.TXT

# OpenAL Soft: a DLL that needs no MinGW runtime DLL beside it.
if openal=$(unpack openal-soft) && [ -n "$openal" ]; then
    build openal "$openal" -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_EXAMPLES=OFF \
        -DALSOFT_TESTS=OFF -DALSOFT_CONFIG=OFF -DALSOFT_HRTF_DEFS=OFF -DALSOFT_AMBDEC_PRESETS=OFF \
        -DALSOFT_INSTALL=ON -DCMAKE_SHARED_LINKER_FLAGS=-static
    licence openal "$openal" COPYING
else
    # Without its source the DLL cannot be built. So that everything else can
    # still be built and checked, SFML and the game link against an import
    # library for OpenAL32.dll, made from the API's headers as Debian's
    # libopenal-dev (built from the same source) ships them; the DLL itself is
    # missing from the package, which says so (MISSING in the prefix).
    say "openal-soft: no source; OpenAL32.dll will be missing"
    (cd "$work" && apt-get -o APT::Sandbox::User=root download -qq libopenal-dev >&2)
    dpkg-deb -x "$work"/libopenal-dev_*.deb "$work/openal-dev"
    mkdir -p "$prefix/include" "$prefix/lib"
    cp -r "$work/openal-dev/usr/include/AL" "$prefix/include/"
    { echo "LIBRARY OpenAL32.dll"; echo "EXPORTS"
      sed -n 's/^ALC\{0,1\}_API .*ALC\{0,1\}_APIENTRY \([a-zA-Z0-9_]*\)(.*/    \1/p' \
          "$prefix/include/AL/al.h" "$prefix/include/AL/alc.h"; } >"$work/OpenAL32.def"
    x86_64-w64-mingw32-dlltool -d "$work/OpenAL32.def" -l "$prefix/lib/libOpenAL32.dll.a"
    echo "OpenAL32.dll: the openal-soft source package could not be fetched" >>"$prefix/MISSING"
fi

# SFML looks for the import library by lower-case names only.
[ -e "$prefix/lib/libopenal32.dll.a" ] || ln -s libOpenAL32.dll.a "$prefix/lib/libopenal32.dll.a"

sfml=$(unpack libsfml)
build sfml "$sfml" -DSFML_USE_SYSTEM_DEPS=ON -DSFML_BUILD_NETWORK=OFF -DSFML_BUILD_EXAMPLES=OFF \
    -DSFML_BUILD_DOC=OFF -DSFML_INSTALL_PKGCONFIG_FILES=OFF
licence sfml "$sfml" license.md

# Debian's googletest package ships the sources; the unit tests link them.
build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

printf '%s' "$versions" >"$prefix/VERSIONS"
touch "$prefix/.complete"
say "done: $prefix"
echo "$prefix"
