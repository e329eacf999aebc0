#!/usr/bin/env python3
"""Write Orvane's sprite files into data/sprites/.

All art lives in this script; running it again produces byte-identical
files. After writing, every file is read back and checked against the
sprite file format the engine's loader expects.
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "data", "sprites")

COLORS = {"black", "red", "green", "yellow", "blue", "magenta", "cyan",
          "white", "orange", "custom"}

MIRROR = str.maketrans("/\\()<>[]{}", "\\/)(><][}{")


def pad(rows, width, fill=" "):
    """Pad every row to `width` with `fill`; refuse rows that are too long."""
    out = []
    for r in rows:
        assert len(r) <= width, "row too long (%d > %d): %r" % (len(r), width, r)
        out.append(r + fill * (width - len(r)))
    return out


def centre(text, width, fill=" "):
    assert len(text) <= width, text
    left = (width - len(text)) // 2
    return fill * left + text + fill * (width - len(text) - left)


def mirror(frame):
    return [row[::-1].translate(MIRROR) for row in frame]


# --------------------------------------------------------------------------
# Player parts (transparent '.')

PLAYER_BOUNDS = [["...", "...", "...", "..."]]

PLAYER_BODY = [[".o.",
                "/|\\"]]

PLAYER_WALK = [["/.\\"],   # legs apart
               [".|."]]    # legs together

PLAYER_FEET = [["/.\\"]]

# Sword swing to the right: over the top, round the front, down low.
ATTACK_R = [
    ["..,.",
     "....",
     "...."],
    ["..-.",
     "...\\",
     "...."],
    ["..-.",
     "...)",
     "..-'"],
    ["....",
     "...)",
     "..-'"],
    ["....",
     "....",
     ".-'."],
]
ATTACK_L = [mirror(f) for f in ATTACK_R]

# --------------------------------------------------------------------------
# Monsters (transparent '.')

BAT = [
    ["/\\o/\\",   # wings up
     "..v.."],
    ["._o_.",     # wings down
     "/...\\"],
]

SLIME = [
    ["./^\\.",    # airborne: tall and round
     "(o.o)"],
    [".....",     # landed: squashed flat
     "(o_o)"],
]

# --------------------------------------------------------------------------
# Start menu: 70 x 20

BIG = {
    "O": [" ##### ",
          "##   ##",
          "##   ##",
          "##   ##",
          " ##### "],
    "R": ["###### ",
          "##   ##",
          "###### ",
          "##  ## ",
          "##   ##"],
    "V": ["##   ##",
          "##   ##",
          " ## ## ",
          " ## ## ",
          "  ###  "],
    "A": ["  ###  ",
          " ## ## ",
          "##   ##",
          "#######",
          "##   ##"],
    "N": ["##   ##",
          "###  ##",
          "## # ##",
          "##  ###",
          "##   ##"],
    "E": ["#######",
          "##     ",
          "#####  ",
          "##     ",
          "#######"],
}


def block_word(word, font, gap):
    height = len(next(iter(font.values())))
    rows = []
    for y in range(height):
        parts = []
        for ch in word:
            parts.append(font[ch][y] if ch != " " else "")
        rows.append((" " * gap).join(parts))
    return rows


def start_menu():
    w, h = 70, 20
    inner = w - 2
    border = "+" + "=" * inner + "+"
    body = [""]
    body += block_word("ORVANE", BIG, 2)
    body += ["", "~ deep below, the dungeon wakes ~", "",
             ">>  press SPACE to start  <<", "",
             "controls", "--------",
             "A and D walk",
             "SPACE jumps",
             "left click attacks towards the pointer",
             "Q quits"]
    assert len(body) <= h - 2
    body += [""] * (h - 2 - len(body))
    rows = [border]
    for line in body:
        rows.append("|" + centre(line, inner) + "|")
    rows.append(border)
    return [pad(rows, w)]


# --------------------------------------------------------------------------
# Game over banner: 56 x 7, six frames

SMALL = {
    "G": [" ####", "#    ", "# ###", "#   #", " ### "],
    "A": [" ### ", "#   #", "#####", "#   #", "#   #"],
    "M": ["#   #", "## ##", "# # #", "#   #", "#   #"],
    "E": ["#####", "#    ", "#### ", "#    ", "#####"],
    "O": [" ### ", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", " # # ", "  #  "],
    "R": ["#### ", "#   #", "#### ", "#  # ", "#   #"],
}


def banner_border(width, shift):
    pattern = "=-"
    edge = "".join(pattern[(i + shift) % 2] for i in range(width - 2))
    return "+" + edge + "+"


def game_over():
    w, h = 56, 7
    inner = w - 2
    game = block_word("GAME", SMALL, 1)
    over = block_word("OVER", SMALL, 1)
    full = [g + "  " + o for g, o in zip(game, over)]
    only_game = [g + "  " + " " * len(o) for g, o in zip(game, over)]
    empty = [" " * len(full[0])] * 5

    def frame(text, shift):
        side = "|:"[shift % 2]
        rows = [banner_border(w, shift)]
        for line in text:
            rows.append(side + centre(line, inner) + side)
        rows.append(banner_border(w, shift + 1))
        return pad(rows, w)

    return [
        frame(empty, 0),       # frame drawn, nothing inside
        frame(only_game, 1),   # GAME
        frame(full, 0),        # GAME OVER
        frame(empty, 1),       # flash off
        frame(full, 0),        # flash on
        frame(full, 1),        # border keeps moving
    ]


# --------------------------------------------------------------------------

SPRITES = [
    # file name, frames, colour, transparent, slowdown
    ("player-bounds.txt", PLAYER_BOUNDS, "white", ".", 0),
    ("player-idle-body-spr.txt", PLAYER_BODY, "cyan", ".", 0),
    ("player-walk-spr.txt", PLAYER_WALK, "cyan", ".", 6),
    ("player-idle-feet-spr.txt", PLAYER_FEET, "cyan", ".", 0),
    ("player-attack-spr-r.txt", ATTACK_R, "white", ".", 2),
    ("player-attack-spr-l.txt", ATTACK_L, "white", ".", 2),
    ("bat-spr.txt", BAT, "red", ".", 4),
    ("slime-spr.txt", SLIME, "green", ".", 6),
    ("startmenu-spr.txt", start_menu(), "yellow", None, 0),
    ("gameover-spr.txt", game_over(), "red", None, 12),
]


def render(frames, color, transparent, slowdown):
    height = len(frames[0])
    width = len(frames[0][0])
    for f in frames:
        assert len(f) == height, "frame height differs"
        for row in f:
            assert len(row) == width, "row width differs: %r" % row
    lines = ["<HEADER>",
             "frames %d" % len(frames),
             "width %d" % width,
             "height %d" % height,
             "color %s" % color]
    if transparent is not None:
        lines.append("transparent %s" % transparent)
    lines.append("slowdown %d" % slowdown)
    lines += ["</HEADER>", "<BODY>"]
    for f in frames:
        lines += f
        lines.append("end")
    lines.append("</BODY>")
    return "\n".join(lines) + "\n"


def check_file(path):
    """Re-read a sprite file and verify it follows the loader's format.

    Returns (frames, width, height, colour, transparent, slowdown)."""
    with open(path, "rb") as fh:
        raw = fh.read()
    assert b"\r" not in raw, "CR in file"
    text = raw.decode("ascii")
    for ch in text:
        assert ch == "\n" or 32 <= ord(ch) < 127, "non-printable %r" % ch
    assert text.endswith("\n"), "no final LF"
    lines = text[:-1].split("\n")
    i = 0

    assert lines[i] == "<HEADER>", "missing <HEADER>"
    i += 1
    header = {}
    while lines[i] != "</HEADER>":
        line = lines[i]
        assert line != "", "empty line in header"
        key, sep, value = line.partition(" ")
        assert sep == " " and value != "", "bad header line %r" % line
        assert key in ("frames", "width", "height", "color", "transparent",
                       "slowdown"), "unknown key %r" % key
        assert key not in header, "duplicate key %r" % key
        header[key] = value
        i += 1
    i += 1
    for key in ("frames", "width", "height"):
        assert key in header, "missing %s" % key
    frames = int(header["frames"])
    width = int(header["width"])
    height = int(header["height"])
    slowdown = int(header.get("slowdown", "0"))
    color = header.get("color", "white")
    transparent = header.get("transparent")
    assert frames >= 1 and width >= 1 and height >= 1 and slowdown >= 0
    assert color in COLORS, "bad colour %r" % color
    if transparent is not None:
        assert len(transparent) == 1, "transparent must be one character"

    assert lines[i] == "<BODY>", "missing <BODY>"
    i += 1
    for f in range(frames):
        for y in range(height):
            row = lines[i]
            assert row != "", "empty line in body"
            assert len(row) == width, \
                "frame %d row %d has %d chars, want %d" % (f, y, len(row), width)
            i += 1
        assert lines[i] == "end", "frame %d not closed by 'end'" % f
        i += 1
    assert lines[i] == "</BODY>", "missing </BODY> after %d frames" % frames
    i += 1
    assert i == len(lines), "extra lines after </BODY>"
    return frames, width, height, color, transparent, slowdown


def main():
    os.makedirs(OUT_DIR, exist_ok=True)

    # Sanity checks on the art itself.
    assert all(ch == "." for row in PLAYER_BOUNDS[0] for ch in row)
    for fa, fb in zip(ATTACK_L, ATTACK_R):
        assert mirror(fa) == fb
    for name, frames, color, transparent, slowdown in SPRITES:
        w, h = len(frames[0][0]), len(frames[0])
        assert w <= 80 and h <= 30, name

    for name, frames, color, transparent, slowdown in SPRITES:
        path = os.path.join(OUT_DIR, name)
        with open(path, "w", newline="\n", encoding="ascii") as fh:
            fh.write(render(frames, color, transparent, slowdown))

    ok = True
    for name, frames, color, transparent, slowdown in SPRITES:
        path = os.path.join(OUT_DIR, name)
        try:
            n, w, h, c, t, s = check_file(path)
            assert n == len(frames)
        except (AssertionError, ValueError, IndexError) as exc:
            ok = False
            print("FAIL %s: %s" % (name, exc))
            continue
        print("ok   %-26s %2dx%-2d frames %d slowdown %2d colour %-6s "
              "transparent %s" % (name, w, h, n, s, c,
                                  repr(t) if t is not None else "-"))
    if not ok:
        sys.exit(1)


if __name__ == "__main__":
    main()
