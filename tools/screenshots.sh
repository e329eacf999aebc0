#!/usr/bin/env bash
# Takes the README's pictures of the game: tools/screenshots.sh [BUILD_DIR]
# Under a virtual display, starts the built game (BUILD_DIR, default build)
# in a scratch directory with the clock fixed, photographs the start screen
# and a moment of play (after Space, walking right, swinging), and writes
# docs/start-screen.png and docs/play.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)

if [ -z "${DISPLAY:-}" ] || [ -z "${ORVANE_SCREENSHOTS_DISPLAY:-}" ]; then
    exec "$root/tools/with-xvfb.sh" env ORVANE_SCREENSHOTS_DISPLAY=1 "$0" "$build_dir"
fi

work=$(mktemp -d /tmp/orvane-screenshots.XXXXXX)
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

for item in sprites sounds musics ov-font.ttf; do
    ln -s "$build_dir/$item" "$work/$item"
done
(cd "$work" && ALSOFT_DRIVERS=null exec faketime -f "@2026-03-01 12:00:00" "$build_dir/orvane" >/dev/null 2>&1) &
game_pid=$!

window=""
for _ in $(seq 1 300); do
    window=$(xdotool search --name '^Orvane$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the game's window did not appear" >&2; exit 1; }
xdotool windowfocus "$window"

mkdir -p "$root/docs"
sleep 2
import -window "$window" "$root/docs/start-screen.png"

# The introduction walks the player off the roof; after Space it jumps,
# and falls down the shaft to the dungeon's first floor. Then it walks right,
# jumping and swinging, photographed as it goes; the picture kept is the
# last in which the player is to be seen and no game-over screen is.
sleep 2.5
xdotool key space
sleep 10
xdotool keydown d
for i in $(seq 1 16); do
    sleep 0.2
    if [ $((i % 2)) -eq 1 ]; then xdotool key space; fi
    if [ $((i % 4)) -eq 0 ]; then xdotool mousemove --window "$window" 1000 420 click 1; fi
    import -window "$window" "$work/play-$i.png"
done
xdotool keyup d

# Share of the picture in one colour (the player is cyan, the game-over text red).
share() {
    convert "$1" -fuzz 25% -fill white -opaque "$2" -fill black +opaque white -format '%[fx:mean]' info:
}
chosen=""
for i in $(seq 1 16); do
    cyan=$(share "$work/play-$i.png" '#00ffff')
    red=$(share "$work/play-$i.png" '#ff0000')
    if awk -v c="$cyan" -v r="$red" 'BEGIN { exit !(c > 0.0002 && r < 0.002) }'; then
        chosen="$work/play-$i.png"
    fi
done
[ -n "$chosen" ] || { echo "no picture of play showed the player" >&2; exit 1; }
cp "$chosen" "$root/docs/play.png"

xdotool key q
wait "$game_pid" || true
game_pid=""
echo "wrote docs/start-screen.png and docs/play.png"
