#!/usr/bin/env bash
# Runs a command with the settings every program of the sanitizer build
# runs under: tools/sanitizer-env.sh COMMAND...
# - any report fails the run (UndefinedBehaviorSanitizer already stops at
#   the first one: the build uses -fno-sanitize-recover);
# - Mesa's software OpenGL driver is preloaded: unloaded at exit, it takes
#   the symbols of two small allocations of its own with it, which
#   LeakSanitizer would report as leaks of an unknown module. Loaded from the
#   start, it is never unloaded, and no leak is hidden by a suppression.
set -euo pipefail
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LD_PRELOAD="/usr/\$LIB/dri/swrast_dri.so${LD_PRELOAD:+:$LD_PRELOAD}"
exec "$@"
