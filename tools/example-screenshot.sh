#!/usr/bin/env bash
# Takes the README's picture of the example game: tools/example-screenshot.sh [BUILD_DIR]
# Plays BUILD_DIR/hopper/hopper (tools/build-example.sh builds it) for a few
# seconds under a virtual display: the frog walks right, hops, and a click
# lays a leaf; writes docs/hopper.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build}" && pwd)
if [ -z "${ORVANE_SCREENSHOT_DISPLAY:-}" ]; then
    exec "$root/tools/with-xvfb.sh" env ORVANE_SCREENSHOT_DISPLAY=1 "$0" "$build_dir"
fi

cd "$build_dir/hopper"
ALSOFT_DRIVERS=null ./hopper >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    window=$(xdotool search --name '^Orvane$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
xdotool windowfocus "$window"
sleep 1
xdotool keydown d; sleep 0.8; xdotool key space; sleep 0.5; xdotool keyup d
xdotool mousemove --window "$window" 640 520 click 1
sleep 0.6
import -window "$window" "$root/docs/hopper.png"
xdotool key q
wait "$pid"
echo "wrote docs/hopper.png"
