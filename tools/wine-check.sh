#!/usr/bin/env bash
# What Wine itself does, apart from the game: tools/wine-check.sh
# Builds two Windows programs of a few lines each with MinGW-w64 and runs
# them under Wine on a private X server with no window manager, as the
# Windows tests run the game:
#  - one shows a plain window for a second and times DestroyWindow: Wine waits
#    up to 2 s for a window manager to answer the window's withdrawal, and a
#    bare X server has none (ending the process with the window shown takes
#    no time);
#  - one only asks Windows how many wave devices there are: without a sound
#    card Wine's ALSA driver prints its complaints on the standard error.
# Prints what it measured.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d /tmp/orvane-wine-check-XXXXXX)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

cat >"$work/window.c" <<'C'
#include <windows.h>
#include <stdio.h>
static double seconds(void) { LARGE_INTEGER t, f; QueryPerformanceCounter(&t); QueryPerformanceFrequency(&f); return (double)t.QuadPart / f.QuadPart; }
int main(void) {
    WNDCLASSA wc = {0}; wc.lpfnWndProc = DefWindowProcA; wc.hInstance = GetModuleHandleA(NULL); wc.lpszClassName = "minimal";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("minimal", "minimal", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, NULL, NULL, wc.hInstance, NULL);
    ShowWindow(w, SW_SHOW);
    MSG m; double end = seconds() + 1; while (seconds() < end) { while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m); Sleep(10); }
    double t0 = seconds(); DestroyWindow(w);
    printf("a shown window: DestroyWindow took %.3f s\n", seconds() - t0);
    return 0;
}
C
cat >"$work/sound.c" <<'C'
#include <windows.h>
#include <mmsystem.h>
#include <stdio.h>
int main(void) { printf("wave output devices: %u\n", waveOutGetNumDevs()); return 0; }
C
x86_64-w64-mingw32-gcc -O1 -o "$work/window.exe" "$work/window.c"
x86_64-w64-mingw32-gcc -O1 -o "$work/sound.exe" "$work/sound.c" -lwinmm

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run() {
    tools/with-xvfb.sh bash -c 'wineboot --init >/dev/null 2>&1; wineserver -w; cd "$1" && shift && wine "$@"' _ "$work" "$@"
}
run window.exe
lines=$(run sound.exe 2>&1 >/dev/null | grep -c '^ALSA lib' || true)
run sound.exe 2>/dev/null
echo "lines Wine's ALSA driver printed on the standard error meanwhile: $lines"
