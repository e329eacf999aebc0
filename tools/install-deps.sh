#!/usr/bin/env bash
# Installs the Debian packages that building, running or testing needs and that
# this machine lacks. Usage: tools/install-deps.sh run|test|bench|windows|docs
set -euo pipefail

run_packages="cmake make g++ libsfml-dev libx11-dev"
# The Windows build: MinGW-w64, Debian's source packages (dpkg-dev unpacks
# them), Debian's release list (distro-info-data: which release comes next,
# for a source the mirror lacks), GoogleTest's sources, Wine to run what is
# built, zip to pack it.
windows_packages="cmake make g++ g++-mingw-w64-x86-64 dpkg-dev xz-utils distro-info-data googletest wine wine64 zip unzip"
test_packages="$run_packages $windows_packages googletest libgtest-dev xvfb xdotool x11-apps x11-utils imagemagick sox libsox-fmt-all faketime g++-mingw-w64-x86-64 clang libclang-rt-14-dev doxygen"
bench_packages="$run_packages libbenchmark-dev xvfb"
docs_packages="$run_packages doxygen"

case "${1:-run}" in
    run) wanted=$run_packages ;;
    test) wanted=$test_packages ;;
    bench) wanted=$bench_packages ;;
    windows) wanted=$windows_packages ;;
    docs) wanted=$docs_packages ;;
    *) echo "usage: $0 run|test|bench|windows|docs" >&2; exit 2 ;;
esac

missing=()
for package in $wanted; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
