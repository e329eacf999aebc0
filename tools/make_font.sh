#!/usr/bin/env bash
# Copy the game's font (DejaVu Sans Mono, regular face, from Debian's
# fonts-dejavu-core package) and its licence into data/.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
LICENCE=/usr/share/doc/fonts-dejavu-core/copyright

if [ ! -f "$FONT" ] || [ ! -f "$LICENCE" ]; then
    echo "installing fonts-dejavu-core" >&2
    apt-get install -y fonts-dejavu-core
fi

mkdir -p data
cp "$FONT" data/ov-font.ttf
cp "$LICENCE" data/ov-font-LICENSE.txt
echo "data/ov-font.ttf ($(stat -c %s data/ov-font.ttf) bytes) and data/ov-font-LICENSE.txt written"
