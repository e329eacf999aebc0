#!/usr/bin/env bash
# Cross-builds SFML 2.5 and what it needs (FreeType, OpenAL Soft, Ogg, Vorbis, FLAC) and GoogleTest
# for 64-bit Windows from Debian's source packages into ~/.cache/orvane/windows-<key> (ORVANE_CACHE_DIR
# replaces ~/.cache/orvane; the key hashes the versions built, this script and the toolchain file),
# and prints that prefix last on standard output. All static but OpenAL Soft (LGPL: OpenAL32.dll).
# Sources come through an apt configuration of the script's own in the cache, with deb-src entries
# derived from the machine's, whose own configuration is never touched. When the mirror cannot serve
# this release's openal-soft, the next release's is taken, or only its upstream tarball, unpatched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
toolchain=$root/cmake/mingw-w64-x86_64.cmake
cache=${ORVANE_CACHE_DIR:-$HOME/.cache/orvane}
sources=$cache/sources
say() { echo "windows-deps: $*" >&2; }

# Writes into OUT deb-src twins of the machine's binary entries for release FROM, their suites moved to TO.
derive_sources() {
    mkdir -p "$3"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT) $(TARGET_OF)' | sort -u | awk -v from="$1" \
        -v to="$2" '$4 == "deb" && index($2, from) == 1 { print "deb-src", $1, to substr($2, length(from) + 1), $3 }' \
        >"$3/derived.list"
    [ -s "$3/derived.list" ]
}

# apt for the source packages of a RELEASE, its state in $cache/apt-RELEASE: "release_apt RELEASE source ...".
release_apt() {
    local dir=$cache/apt-$1
    shift
    apt-get -o Dir::Etc::SourceList="$dir/empty.list" -o Dir::Etc::SourceParts="$dir/sources" \
        -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o APT::Sandbox::User=root "$@"
}
# Its lists are fetched again once a day.
prepare_release() {
    local dir=$cache/apt-$1
    mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" && : >"$dir/empty.list"
    derive_sources "$codename" "$1" "$dir/sources" || { say "no apt entries of $codename to derive from"; return 1; }
    find "$dir/lists" -maxdepth 1 -name '*Sources*' -mtime -1 | grep -q . || release_apt "$1" update -qq >&2
}

# "uri file sha256" of each file of a source package: "listing RELEASE PACKAGE".
listing() {
    release_apt "$1" source --print-uris "$2" 2>/dev/null |
        sed -n "s/^'\([^']*\)' \([^ ]*\) [0-9]* SHA256:\([0-9a-f]*\)$/\1 \2 \3/p"
}
# The source package's version as its .dsc names it.
version_of() { listing "$1" "$2" | sed -n 's/^[^ ]* \([^ ]*\)\.dsc .*/\1/p'; }
# Fetches the listing's files into $sources, each checked against its sum from the signed index.
fetch() {
    local uri file sum status=0
    mkdir -p "$sources"
    while read -r uri file sum; do
        echo "$sum  $sources/$file" | sha256sum -c --status 2>/dev/null && continue
        /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "$uri" "$sources/$file" "SHA256:$sum" \
            >/dev/null 2>&1 || { rm -f "$sources/$file"; status=1; }
    done
    return $status
}

codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
next=$(awk -F, -v c="$codename" 'found { print $3; exit } $3 == c { found = 1 }' /usr/share/distro-info/debian.csv)
prepare_release "$codename"

# OpenAL Soft's source: sets openal_version and openal_dsc or openal_tarball.
openal_dsc="" openal_tarball=""
version=$(version_of "$codename" openal-soft)
if [ -n "$version" ] && listing "$codename" openal-soft | fetch; then
    openal_version=$version openal_dsc=$sources/$version.dsc
else
    say "openal-soft: this release's source ($version) cannot be had; trying $next's"
    prepare_release "$next"
    version=$(version_of "$next" openal-soft)
    [ -n "$version" ] || { say "openal-soft: no source package in $next"; exit 1; }
    if listing "$next" openal-soft | fetch; then
        openal_version="$version ($next)" openal_dsc=$sources/$version.dsc
    else
        orig=$(listing "$next" openal-soft | sed -n 's/^[^ ]* \(openal-soft_[^ ]*\.orig\.tar\.[a-z0-9]*\) .*/\1/p')
        [ -n "$orig" ] && [ -f "$sources/$orig" ] || { say "openal-soft: not even $next's upstream tarball"; exit 1; }
        say "openal-soft: only the upstream tarball of $next's $version can be had: building it as it is"
        openal_version="${orig%.orig.tar.*} (upstream tarball of $next's $version)" openal_tarball=$sources/$orig
    fi
fi

versions=""
for package in libogg libvorbis flac freetype libsfml; do
    version=$(version_of "$codename" "$package")
    [ -n "$version" ] || { say "no source package $package"; exit 1; }
    versions+="$version"$'\n'
done
versions+="$openal_version"$'\n'"googletest_$(dpkg-query -W -f='${Version}' googletest)"$'\n'
versions+="mingw_$(x86_64-w64-mingw32-g++-posix -dumpversion)"$'\n'
prefix=$cache/windows-$( { printf '%s' "$versions"; sha256sum "$0" "$toolchain" | cut -d' ' -f1; } | sha256sum | cut -c1-16)
[ -f "$prefix/.complete" ] && { say "cached: $prefix"; echo "$prefix"; exit 0; }

say "building into $prefix"
rm -rf "$prefix" && mkdir -p "$prefix"
work=$(mktemp -d "$cache/build-XXXXXX")
trap 'rm -rf "$work"' EXIT
# Only this prefix's libraries are seen, never the build machine's.
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH= ORVANE_WINDOWS_PREFIX=$prefix

# Unpacks one source package of this release with Debian's patches; prints its folder.
unpack() {
    (cd "$work" && release_apt "$codename" source -qq "$1" >&2) || return 1
    find "$work" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n 1
}
# Runs a command into the log LOG, showing its end when it fails.
logged() { local log=$work/$1.log; shift; "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; return 1; }; }
# Configures, builds and installs one CMake project NAME from SOURCE into the prefix.
build() {
    local name=$1 source=$2 dir=$work/build-$1
    shift 2
    say "$name"
    logged "$name-configure" cmake -S "$source" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_TESTING=OFF \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -Wno-dev "$@" &&
        logged "$name-build" nice cmake --build "$dir" -j "${JOBS:-2}" && logged "$name-install" cmake --install "$dir"
}
# Keeps a package's licence texts (paths within SOURCE) for the game's package.
licence() {
    local name=$1 source=$2
    shift 2
    mkdir -p "$prefix/share/licenses/$name"
    for file in "$@"; do cp "$source/$file" "$prefix/share/licenses/$name/${file//\//-}"; done
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

# OpenAL Soft: a DLL needing no MinGW runtime DLL, with only Windows' outputs and the null and wave ones.
openal=$work/openal-soft
if [ -n "$openal_dsc" ]; then
    (cd "$work" && dpkg-source -q -x "$openal_dsc" openal-soft) >&2
else
    mkdir "$openal" && tar -xf "$openal_tarball" -C "$openal" --strip-components=1
fi
build openal "$openal" -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF -DALSOFT_NO_CONFIG_UTIL=ON -DALSOFT_EXAMPLES=OFF \
    -DALSOFT_TESTS=OFF -DALSOFT_INSTALL=ON -DALSOFT_UPDATE_BUILD_VERSION=OFF -DALSOFT_INSTALL_CONFIG=OFF \
    -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF -DALSOFT_INSTALL_EXAMPLES=OFF \
    -DALSOFT_INSTALL_UTILS=OFF -DALSOFT_EMBED_HRTF_DATA=OFF -DALSOFT_CONFIG=OFF -DALSOFT_HRTF_DEFS=OFF \
    -DALSOFT_AMBDEC_PRESETS=OFF -DALSOFT_BACKEND_PIPEWIRE=OFF -DALSOFT_BACKEND_PULSEAUDIO=OFF \
    -DALSOFT_BACKEND_JACK=OFF -DALSOFT_BACKEND_PORTAUDIO=OFF -DALSOFT_BACKEND_SDL2=OFF -DALSOFT_BACKEND_SDL3=OFF \
    -DALSOFT_BACKEND_COREAUDIO=OFF -DALSOFT_BACKEND_OBOE=OFF -DALSOFT_BACKEND_OPENSL=OFF \
    -DCMAKE_SHARED_LINKER_FLAGS=-static
[ -f "$prefix/bin/OpenAL32.dll" ] || { say "openal: no OpenAL32.dll was built"; exit 1; }
# Its own licence, and those of the code it carries within (newer releases).
licence openal "$openal" COPYING $(cd "$openal" && ls -d BSD-3Clause LICENSE-pffft fmt-*/LICENSE 2>/dev/null)
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
