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
# except OpenAL Soft, which is LGPL and so ships as OpenAL32.dll. When the
# package mirror cannot serve this release's openal-soft source, OpenAL Soft
# comes from the next Debian release's source package instead (see
# openal_source below); the key holds the version actually built.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
toolchain=$root/cmake/mingw-w64-x86_64.cmake
packages="libogg libvorbis flac freetype libsfml"
cache=${ORVANE_CACHE_DIR:-$HOME/.cache/orvane}
jobs=${JOBS:-2}

say() { echo "windows-deps: $*" >&2; }

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# Writes into the folder OUT the deb-src entries derived from the machine's
# binary apt entries of the release FROM (those whose suite starts with its
# code name), with FROM replaced by TO in each suite: OUT/derived.sources
# and/or OUT/derived.list. Fails if there is no such entry.
derive_sources() {
    local from=$1 to=$2 out=$3 file
    mkdir -p "$out"
    rm -f "$out/derived.sources" "$out/derived.list"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        case "$file" in
        *.sources)
            # deb822: keep the stanzas whose types include deb.
            awk -v from="$from" -v to="$to" '
                function flush() {
                    if (stanza != "" && isdeb && suites != "") { sub(/\n$/, "", stanza); print stanza "\n" }
                    stanza = ""; isdeb = 0; suites = ""
                }
                /^[ \t]*$/ { flush(); next }
                /^#/ { next }
                /^Types:/ { if ($0 ~ /[ \t]deb([ \t]|$)/) isdeb = 1; stanza = stanza "Types: deb-src\n"; next }
                /^Suites:/ {
                    for (i = 2; i <= NF; i++)
                        if (index($i, from) == 1) suites = suites " " to substr($i, length(from) + 1)
                    stanza = stanza "Suites:" suites "\n"; next
                }
                /^Enabled:[ \t]*no/ { isdeb = 0 }
                { stanza = stanza $0 "\n" }
                END { flush() }' "$file" >>"$out/derived.sources"
            ;;
        *)
            # One-line format: "deb [options] uri suite components".
            awk -v from="$from" -v to="$to" '
                $1 == "deb" {
                    at = ($2 ~ /^\[/) ? 0 : 3
                    for (i = 2; i <= NF && !at; i++) if ($i ~ /\]$/) at = i + 2
                    if (index($at, from) == 1) { $1 = "deb-src"; $at = to substr($at, length(from) + 1); print }
                }' "$file" >>"$out/derived.list"
            ;;
        esac
    done
    [ -s "$out/derived.sources" ] || rm -f "$out/derived.sources"
    [ -s "$out/derived.list" ] || rm -f "$out/derived.list"
    [ -e "$out/derived.sources" ] || [ -e "$out/derived.list" ]
}

codename=$(. /etc/os-release && echo "$VERSION_CODENAME")

# Source packages need deb-src entries, which the machine's apt sources
# usually lack: derive them from this release's binary entries, in a file of
# their own.
enable_sources() {
    apt-cache showsrc libsfml 2>/dev/null | grep -q '^Package: libsfml' && return 0
    local tmp derived
    tmp=$(mktemp -d)
    if ! derive_sources "$codename" "$codename" "$tmp"; then
        rm -rf "$tmp"
        say "no apt source of this release to derive source entries from"
        return 1
    fi
    local format
    for format in sources list; do
        [ -e "$tmp/derived.$format" ] || continue
        derived=/etc/apt/sources.list.d/orvane-deb-src.$format
        $sudo cp "$tmp/derived.$format" "$derived"
        $sudo chmod 644 "$derived"
        say "source packages enabled in $derived"
    done
    rm -rf "$tmp"
    $sudo apt-get update -qq
}

# The version apt would fetch of a source package: "APT source --print-uris
# PACKAGE" lists its files; prints the .dsc's name without ".dsc".
source_version() {
    local package=${*: -1}
    "$@" --print-uris 2>/dev/null |
        sed -n "s/^'[^']*' \(${package}_[^ ]*\)\.dsc .*/\1/p" | head -n 1
}

# Fetches the files that "APT source --print-uris PACKAGE" lists into
# $sources, kept between runs, each checked against the SHA256 sum apt has
# for it (from the release's signed index). Fails unless every file was had;
# those that were stay.
sources=$cache/sources
fetch_source() {
    local list uri file sum status=0
    list=$("$@" --print-uris 2>/dev/null |
        sed -n "s/^'\([^']*\)' \([^ ]*\) [0-9]* SHA256:\([0-9a-f]*\)$/\1 \2 \3/p")
    [ -n "$list" ] || return 1
    mkdir -p "$sources"
    while read -r uri file sum; do
        echo "$sum  $sources/$file" | sha256sum -c --status 2>/dev/null && continue
        /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "$uri" "$sources/$file" "SHA256:$sum" \
            >/dev/null 2>&1 || { rm -f "$sources/$file"; status=1; }
    done <<<"$list"
    return $status
}

# apt with a configuration of its own for the next Debian release's source
# packages: its sources (derived from this release's entries), lists and
# cache live in $cache/apt-<release>; the machine's apt state is left alone,
# so nothing of that release can be installed through it.
next_release=$(awk -F, -v codename="$codename" 'found { print $3; exit } $3 == codename { found = 1 }' \
    /usr/share/distro-info/debian.csv)
next_dir=$cache/apt-$next_release
next_apt() {
    apt-get -o Dir::Etc::SourceList="$next_dir/empty.list" -o Dir::Etc::SourceParts="$next_dir/sources" \
        -o Dir::State::Lists="$next_dir/lists" -o Dir::Cache="$next_dir/cache" \
        -o APT::Sandbox::User=root "$@"
}
next_apt_update() {
    [ -n "$next_release" ] || { say "no Debian release after $codename known"; return 1; }
    mkdir -p "$next_dir/lists/partial" "$next_dir/cache/archives/partial"
    : >"$next_dir/empty.list"
    derive_sources "$codename" "$next_release" "$next_dir/sources" || return 1
    next_apt update -qq >&2
}

# OpenAL Soft's source. This release's openal-soft source package when the
# mirror has all its files. Otherwise the next release's: whole if it can be
# had, else its upstream tarball alone (checked against the next release's
# index like every file), built as it is, without Debian's patches, which are
# in the part that cannot be had. Sets openal_version (the key's line) and
# openal_dsc or openal_tarball.
openal_dsc="" openal_tarball=""
openal_source() {
    local version orig
    version=$(source_version apt-get source openal-soft)
    if [ -n "$version" ] && fetch_source apt-get source openal-soft; then
        openal_version=$version openal_dsc=$sources/$version.dsc
        return 0
    fi
    say "openal-soft: this release's source ($version) cannot be had; trying $next_release's"
    next_apt_update || return 1
    version=$(source_version next_apt source openal-soft)
    [ -n "$version" ] || { say "openal-soft: no source package in $next_release"; return 1; }
    if fetch_source next_apt source openal-soft; then
        openal_version="$version ($next_release)" openal_dsc=$sources/$version.dsc
        return 0
    fi
    orig=$(next_apt source --print-uris openal-soft 2>/dev/null |
        sed -n "s/^'[^']*' \(openal-soft_[^ ]*\.orig\.tar\.[a-z0-9]*\) .*/\1/p" | head -n 1)
    if [ -z "$orig" ] || [ ! -f "$sources/$orig" ]; then
        say "openal-soft: not even the upstream tarball of $next_release's $version can be had"
        return 1
    fi
    say "openal-soft: only the upstream tarball of $next_release's $version can be had: building it as it is"
    openal_version="${orig%.orig.tar.*} (upstream tarball of $next_release's $version)" openal_tarball=$sources/$orig
}

enable_sources
versions=""
for package in $packages; do
    version=$(source_version apt-get source "$package")
    [ -n "$version" ] || { say "no source package $package"; exit 1; }
    versions+="$version"$'\n'
done
openal_source || { say "OpenAL Soft's source cannot be had: OpenAL32.dll cannot be built"; exit 1; }
versions+="$openal_version"$'\n'
versions+="googletest_$(dpkg-query -W -f='${Version}' googletest)"$'\n'
versions+="mingw_$(x86_64-w64-mingw32-g++-posix -dumpversion)"$'\n'
key=$( { printf '%s' "$versions"; sha256sum "$0" "$toolchain" | cut -d' ' -f1; } | sha256sum | cut -c1-16)
prefix=$cache/windows-$key

# Source packages are fetched as root: apt's sandbox user cannot write here.
apt_source() { apt-get -o APT::Sandbox::User=root source "$@"; }

if [ -f "$prefix/.complete" ]; then
    say "cached: $prefix"
    echo "$prefix"
    exit 0
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

# OpenAL Soft: a DLL that needs no MinGW runtime DLL beside it, with only
# the library itself and Windows' outputs (plus the null and wave ones).
if [ -n "$openal_dsc" ]; then
    (cd "$work" && dpkg-source -q -x "$openal_dsc" openal-soft) >"$work/openal-unpack.log" 2>&1 ||
        { cat "$work/openal-unpack.log" >&2; exit 1; }
else
    mkdir "$work/openal-soft"
    tar -xf "$openal_tarball" -C "$work/openal-soft" --strip-components=1
fi
openal=$work/openal-soft
build openal "$openal" -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_EXAMPLES=OFF \
    -DALSOFT_TESTS=OFF -DALSOFT_INSTALL=ON -DALSOFT_UPDATE_BUILD_VERSION=OFF \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF \
    -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF -DALSOFT_EMBED_HRTF_DATA=OFF \
    -DALSOFT_CONFIG=OFF -DALSOFT_HRTF_DEFS=OFF -DALSOFT_AMBDEC_PRESETS=OFF \
    -DALSOFT_BACKEND_PIPEWIRE=OFF -DALSOFT_BACKEND_PULSEAUDIO=OFF -DALSOFT_BACKEND_JACK=OFF \
    -DALSOFT_BACKEND_PORTAUDIO=OFF -DALSOFT_BACKEND_SDL2=OFF -DALSOFT_BACKEND_SDL3=OFF \
    -DALSOFT_BACKEND_COREAUDIO=OFF -DALSOFT_BACKEND_OBOE=OFF -DALSOFT_BACKEND_OPENSL=OFF \
    -DCMAKE_SHARED_LINKER_FLAGS=-static
[ -f "$prefix/bin/OpenAL32.dll" ] || { say "openal: no OpenAL32.dll was built"; exit 1; }
# Its own licence, and those of the code it carries within (newer releases).
licence openal "$openal" COPYING
for file in "$openal"/BSD-3Clause "$openal"/LICENSE-pffft "$openal"/fmt-*/LICENSE; do
    if [ -f "$file" ]; then
        name=${file#"$openal"/}
        cp "$file" "$prefix/share/licenses/openal/${name//\//-}"
    fi
done

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
