#!/usr/bin/env bash
# Makes the example game's sprites and sound, in examples/hopper:
#   sprites/frog.txt, fly.txt, pad.txt, leaf.txt   text art in the engine's sprite format
#   sounds/gulp.ogg                                a short falling blip, synthesised with sox
# Reruns give the same files (the sound up to the encoder's details).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../examples/hopper"
mkdir -p sprites sounds

# sprite NAME COLOR TRANSPARENT SLOWDOWN WIDTH HEIGHT ART: ART is a file of
# the frames, each ended by a line "end".
sprite() {
    local frames
    frames=$(grep -cx end "$7")
    {
        echo "<HEADER>"
        echo "frames $frames"
        echo "width $5"
        echo "height $6"
        echo "color $2"
        echo "transparent $3"
        echo "slowdown $4"
        echo "</HEADER>"
        echo "<BODY>"
        cat "$7"
        echo "</BODY>"
    } >"sprites/$1.txt"
}

art=$(mktemp)
trap 'rm -f "$art"' EXIT

# The frog, blinking: '.' is transparent, so the pads show between its legs.
cat >"$art" <<'ART'
.@..@.
(____)
/|..|\
end
.-..-.
(____)
/|..|\
end
ART
sprite frog green . 12 6 3 "$art"

cat >"$art" <<'ART'
>o<
end
-o-
end
ART
sprite fly white . 2 3 1 "$art"

cat >"$art" <<'ART'
~=========~
end
ART
sprite pad cyan . 1 11 1 "$art"

cat >"$art" <<'ART'
(===)
end
ART
sprite leaf orange . 1 5 1 "$art"

# The gulp: a sine falling from 600 to 200 Hz in a fifth of a second.
if ! command -v sox >/dev/null || ! command -v oggenc >/dev/null; then
    echo "installing sox and vorbis-tools" >&2
    apt-get install -y sox vorbis-tools
fi
wav=$(mktemp --suffix=.wav)
sox -R -V1 -n -r 44100 -c 1 -b 16 "$wav" synth 0.2 sine 600:200 fade t 0.005 0 0.08 gain -n -3
oggenc -Q -q 4 -o sounds/gulp.ogg "$wav"
rm -f "$wav"
