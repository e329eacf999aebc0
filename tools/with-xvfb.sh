#!/usr/bin/env bash
# Runs a command with a virtual X display of its own: tools/with-xvfb.sh COMMAND...
# Xvfb picks a free display number itself (-displayfd), so runs started
# together never share a server. -noreset keeps it up between clients: a
# program that asks whether a display exists must not bring the server down.
set -euo pipefail

fifo=$(mktemp -u /tmp/orvane-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$fifo"' EXIT

number=""
read -r -t 20 number <"$fifo" || true
if [ -z "$number" ]; then
    echo "with-xvfb: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":${number}"
"$@"
