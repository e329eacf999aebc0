#!/usr/bin/env bash
# Copy the game's font (IBM 3270 SemiCondensed, from Debian's fonts-3270
# package) and its licence into data/. Drawn bold at the display's size of
# 25, its every printable character lies within its own cell's background
# (ink 0 to 12 of a 12.8 pixel cell), so no neighbour cuts a letter.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

FONT=/usr/share/fonts/truetype/3270/3270SemiCondensed-Regular.ttf
LICENCE=/usr/share/doc/fonts-3270/copyright

if [ ! -f "$FONT" ] || [ ! -f "$LICENCE" ]; then
    echo "installing fonts-3270" >&2
    apt-get install -y fonts-3270
fi

mkdir -p data
cp "$FONT" data/ov-font.ttf
cp "$LICENCE" data/ov-font-LICENSE.txt
echo "data/ov-font.ttf ($(stat -c %s data/ov-font.ttf) bytes) and data/ov-font-LICENSE.txt written"
