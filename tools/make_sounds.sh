#!/usr/bin/env bash
# Generate Orvane's sound effects and music as Ogg Vorbis files:
#   data/sounds/*.ogg         short effects, synthesised with sox
#   data/musics/Retro Mystic.ogg   the looping background tune, rendered
#                             by a small python3 synthesiser below
# Everything is made from scratch here; reruns give the same audio (the
# noise uses sox's fixed random seed, -R), only encoder details may differ.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

if ! command -v sox >/dev/null || ! command -v oggenc >/dev/null; then
    echo "installing sox and vorbis-tools" >&2
    apt-get install -y sox vorbis-tools
fi
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

mkdir -p data/sounds data/musics

RATE=44100
SOX="sox -R -V1"          # -R: repeatable noise
OUT="-r $RATE -c 1 -b 16"

# Finish a raw effect: no DC, fades so it starts and ends silent, peak at
# -3 dBFS. (Sweeps of non-sine waves use linear "a:b" sweeps: sox's
# exponential "a/b" sweep misbehaves for them.)
finish() { # in.wav out.wav fade_in fade_out
    $SOX "$1" $OUT "$2" highpass 25 fade t "$3" 0 "$4" gain -n -3
}

encode() { # in.wav out.ogg quality
    oggenc -Q -q "$3" -o "$2" "$1"
}

# --- jump5: rising square sweep --------------------------------------------
$SOX -n $OUT "$TMP/j.wav" synth 0.2 square 280:900 lowpass 4000 vol 0.5
finish "$TMP/j.wav" "$TMP/jump5.wav" 0.005 0.06
encode "$TMP/jump5.wav" data/sounds/jump5.ogg 3

# --- hit2: swipe, noise whose band falls from high to low ------------------
parts=()
i=0
for f in 5000 3800 2800 2000 1400 1000; do
    $SOX -n $OUT "$TMP/h$i.wav" synth 0.025 whitenoise bandpass "$f" 3q bandpass "$f" 3q
    parts+=("$TMP/h$i.wav")
    i=$((i + 1))
done
$SOX "${parts[@]}" $OUT "$TMP/h.wav" lowpass 7000
finish "$TMP/h.wav" "$TMP/hit2.wav" 0.01 0.08
encode "$TMP/hit2.wav" data/sounds/hit2.ogg 3

# --- hurt3: low harsh falling tone -----------------------------------------
$SOX -n $OUT "$TMP/u.wav" synth 0.25 sawtooth 230:80 synth 0.25 square mix 115:40 \
    vol 0.4 overdrive 12 lowpass 2500 tremolo 35 50
finish "$TMP/u.wav" "$TMP/hurt3.wav" 0.004 0.1
encode "$TMP/hurt3.wav" data/sounds/hurt3.ogg 3

# --- error3: bat death, four descending chirps ------------------------------
parts=()
i=0
for sweep in 2900/1900 2500/1500 2100/1100 1700/600; do
    $SOX -n $OUT "$TMP/e$i.wav" synth 0.0875 sine "$sweep" fade t 0.004 0 0.03
    parts+=("$TMP/e$i.wav")
    i=$((i + 1))
done
$SOX "${parts[@]}" $OUT "$TMP/e.wav"
finish "$TMP/e.wav" "$TMP/error3.wav" 0.002 0.05
encode "$TMP/error3.wav" data/sounds/error3.ogg 3

# --- fall5: slime death, squelchy falling low tone --------------------------
$SOX -n $OUT "$TMP/f1.wav" synth 0.4 square 260:55 lowpass 600 tremolo 13 70
$SOX -n $OUT "$TMP/f2.wav" synth 0.4 brownnoise lowpass 400 vol 0.5
$SOX -m "$TMP/f1.wav" "$TMP/f2.wav" $OUT "$TMP/f.wav"
finish "$TMP/f.wav" "$TMP/fall5.wav" 0.01 0.15
encode "$TMP/fall5.wav" data/sounds/fall5.ogg 3

# --- jump2: slime hop, short low boing --------------------------------------
$SOX -n $OUT "$TMP/b.wav" synth 0.15 sine 140:380 tremolo 28 35 lowpass 1500
finish "$TMP/b.wav" "$TMP/jump2.wav" 0.005 0.06
encode "$TMP/jump2.wav" data/sounds/jump2.ogg 3

# --- gameover4: four falling notes, the last one long and wobbling ----------
# G4, F#4, F4, E4
parts=()
i=0
for note in "0.3 392.00" "0.3 369.99" "0.3 349.23" "0.6 329.63"; do
    set -- $note
    if [ "$i" -eq 3 ]; then wobble="tremolo 6 40"; else wobble=""; fi
    $SOX -n $OUT "$TMP/g$i.wav" synth "$1" square "$2" synth "$1" sine mix "$(awk -v f="$2" 'BEGIN { print f / 2 }')" \
        lowpass 1800 $wobble fade t 0.01 0 0.06
    parts+=("$TMP/g$i.wav")
    i=$((i + 1))
done
$SOX "${parts[@]}" $OUT "$TMP/g.wav"
finish "$TMP/g.wav" "$TMP/gameover4.wav" 0.005 0.3
encode "$TMP/gameover4.wav" data/sounds/gameover4.ogg 3

# --- music: "Retro Mystic" ---------------------------------------------------
python3 - "$TMP/music-raw.wav" <<'PY'
import array, math, sys, wave

RATE = 22050
STEP = 3000                     # samples per sixteenth note (~110 BPM)
BAR = 16 * STEP
NAMES = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5,
         "F#": 6, "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10,
         "Bb": 10, "B": 11}


def midi(name):
    return 12 * (int(name[-1]) + 1) + NAMES[name[:-1]]


def hz(m):
    return 440.0 * 2 ** ((m - 69) / 12.0)


CHORDS = {"Am": ("A", "C", "E"), "F": ("F", "A", "C"), "G": ("G", "B", "D"),
          "Em": ("E", "G", "B"), "Dm": ("D", "F", "A"), "E": ("E", "G#", "B"),
          "Bb": ("Bb", "D", "F")}

# 32 bars: intro, A, B, A with melody, turnaround back to the intro.
SECTIONS = [
    ("intro", ["Am", "Am", "F", "E"]),
    ("a", ["Am", "F", "G", "Em", "Am", "F", "E", "E"]),
    ("b", ["Dm", "Am", "Bb", "E", "Dm", "Am", "E", "Am"]),
    ("a2", ["Am", "F", "G", "Em", "Am", "F", "E", "Am"]),
    ("out", ["F", "G", "E", "E"]),
]

MELODY_B = [
    "D5:4 F5:4 A5:6 G5:2", "E5:8 C5:4 E5:4", "D5:4 F5:4 Bb5:4 A5:4",
    "G#5:12 r:4", "F5:4 E5:4 D5:4 F5:4", "E5:6 C5:2 A4:8",
    "B4:4 D5:4 G#4:8", "A4:12 r:4",
]
MELODY_A2 = [
    "A4:4 C5:4 E5:4 A5:4", "G5:6 F5:2 C5:8", "D5:4 G5:4 B4:4 D5:4",
    "E5:12 r:4", "C5:4 B4:4 A4:4 E5:4", "F5:8 E5:4 C5:4",
    "B4:4 G#4:4 B4:4 E5:4", "A4:12 r:4",
]
MELODY_OUT = ["A4:8 C5:8", "B4:8 D5:8", "G#4:16", "B4:8 r:8"]

bars = []                       # (section, chord, melody or None)
for name, chords in SECTIONS:
    for k, c in enumerate(chords):
        mel = None
        if name == "b":
            mel = MELODY_B[k]
        elif name == "a2":
            mel = MELODY_A2[k]
        elif name == "out":
            mel = MELODY_OUT[k]
        bars.append((name, c, mel))

TOTAL = len(bars) * BAR
mix = array.array("d", bytes(8 * TOTAL))


def wave_value(kind, phase, duty=0.5):
    p = phase - math.floor(phase)
    if kind == "square":
        # minus the mean, so narrow pulses carry no DC
        return (1.0 if p < duty else -1.0) - (2.0 * duty - 1.0)
    if kind == "tri":
        return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p
    return math.sin(2 * math.pi * p)


def note(start, length, freq, kind, amp, duty=0.5, vib=0.0, decay=0.0,
         attack=40, release=120):
    """Add one note; it fades in and out so it begins and ends at zero."""
    length = min(length, TOTAL - start)
    phase = 0.0
    inc = freq / RATE
    for i in range(length):
        env = 1.0
        if i < attack:
            env = i / attack
        tail = length - 1 - i
        if tail < release:
            env *= tail / release
        if decay:
            env *= math.exp(-decay * i / RATE)
        f = inc
        if vib and i > 2000:
            f = inc * (1.0 + vib * math.sin(2 * math.pi * 5.5 * i / RATE))
        phase += f
        mix[start + i] += amp * env * wave_value(kind, phase, duty)


seed = 12345


def noise():
    global seed
    seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
    return seed / 0x3FFFFFFF - 1.0


def hat(start, amp):
    length = 600
    prev = 0.0
    for i in range(length):
        n = noise()
        v = n - prev            # crude high-pass
        prev = n
        env = (1 - i / length) ** 3 * min(1.0, i / 20)
        mix[start + i] += amp * env * v


def kick(start, amp):
    length = 2200
    phase = 0.0
    for i in range(length):
        f = 50 + 90 * math.exp(-i / 400)
        phase += f / RATE
        env = (1 - i / length) ** 2 * min(1.0, i / 30)
        mix[start + i] += amp * env * math.sin(2 * math.pi * phase)


ARP_UP = [0, 1, 2, 3, 4, 5, 4, 3, 0, 1, 2, 3, 4, 5, 4, 3]
ARP_B = [0, 2, 1, 3, 2, 4, 3, 5, 5, 3, 4, 2, 3, 1, 2, 0]

for b, (section, chord, mel) in enumerate(bars):
    t0 = b * BAR
    tones = [midi(n + "4") for n in CHORDS[chord]]
    tones = sorted(t if t >= midi("A3") else t + 12 for t in tones)
    tones = tones + [t + 12 for t in tones]
    root = midi(CHORDS[chord][0] + "2")

    # bass line, triangle, in eighths
    pattern = [0, 0, 12, 0, 7, 0, 12, 7]
    if section == "intro":
        pattern = [0, None, None, None, 7, None, 12, None]
    for k, iv in enumerate(pattern):
        if iv is None:
            continue
        ln = 2 * STEP - 300
        if section == "intro" and k == 0:
            ln = 8 * STEP - 300
        note(t0 + 2 * k * STEP, ln, hz(root + iv), "tri", 0.30)

    # arpeggio, thin square, sixteenths (eighths in the intro)
    order = ARP_B if section == "b" else ARP_UP
    for k in range(16):
        if section == "intro" and k % 2:
            continue
        amp = 0.07 if section == "intro" and b < 2 else 0.09
        note(t0 + k * STEP, STEP - 200, hz(tones[order[k]]), "square", amp,
             duty=0.25, decay=6.0, release=200)

    # melody, square with vibrato
    if mel:
        pos = t0
        for tok in mel.split():
            name, n16 = tok.split(":")
            ln = int(n16) * STEP
            if name != "r":
                note(pos, ln - 400, hz(midi(name)), "square", 0.11,
                     duty=0.5, vib=0.006, decay=0.8, attack=80, release=600)
            pos += ln
        assert pos == t0 + BAR, (b, mel)

    # drums from section A on
    if section in ("a", "b", "a2"):
        for beat in range(4):
            hat(t0 + beat * 4 * STEP + 2 * STEP, 0.10)
        kick(t0, 0.45)
        kick(t0 + 8 * STEP, 0.45)
        if section == "b":
            kick(t0 + 14 * STEP, 0.30)

# The arp and melody are thin squares: smooth them with a gentle
# one-pole low-pass (run over the loop twice so its state wraps around
# seamlessly from the end back to the start).
a = math.exp(-2 * math.pi * 4500 / RATE)
y = 0.0
out = array.array("d", bytes(8 * TOTAL))
for rep in range(2):
    for i in range(TOTAL):
        y = (1 - a) * mix[i] + a * y
        if rep == 1:
            out[i] = y

peak = max(abs(v) for v in out)
scale = 0.85 / peak
pcm = array.array("h", (int(round(v * scale * 32767)) for v in out))
assert pcm[0] == 0 and pcm[-1] == 0, (pcm[0], pcm[-1])
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(pcm.tobytes())
print("music: %d bars, %d samples, %.2f s" % (len(bars), TOTAL, TOTAL / RATE))
PY
encode "$TMP/music-raw.wav" "data/musics/Retro Mystic.ogg" 1

# --- check -------------------------------------------------------------------
status=0
for f in data/sounds/jump5.ogg data/sounds/hit2.ogg data/sounds/hurt3.ogg \
         data/sounds/error3.ogg data/sounds/fall5.ogg data/sounds/jump2.ogg \
         data/sounds/gameover4.ogg "data/musics/Retro Mystic.ogg"; do
    stats=$(sox "$f" -n stat 2>&1)
    len=$(awk '/^Length/ {print $3}' <<<"$stats")
    peak=$(awk '/^Maximum amplitude/ {print $3}' <<<"$stats")
    minv=$(awk '/^Minimum amplitude/ {print $3}' <<<"$stats")
    rms=$(awk '/^RMS +amplitude/ {print $3}' <<<"$stats")
    mean=$(awk '/^Mean +amplitude/ {print $3}' <<<"$stats")
    chans=$(soxi -c "$f")
    printf '%-30s %7.3f s  max %s  min %s  rms %s  %s ch  %s Hz  %s bytes\n' \
        "$f" "$len" "$peak" "$minv" "$rms" "$chans" "$(soxi -r "$f")" "$(stat -c %s "$f")"
    if awk -v r="$rms" 'BEGIN { exit !(r < 0.01) }'; then
        echo "  too quiet: $f" >&2; status=1
    fi
    if awk -v m="$mean" 'BEGIN { exit !(m > 0.02 || m < -0.02) }'; then
        echo "  DC offset: $f" >&2; status=1
    fi
    if awk -v a="$peak" -v b="$minv" 'BEGIN { exit !(a >= 0.999 || b <= -0.999) }'; then
        echo "  clipping: $f" >&2; status=1
    fi
    if [ "$chans" != 1 ]; then echo "  not mono: $f" >&2; status=1; fi
done
music_len=$(soxi -D "data/musics/Retro Mystic.ogg")
if awk -v l="$music_len" 'BEGIN { exit !(l < 60) }'; then
    echo "music shorter than 60 s" >&2; status=1
fi
exit $status
