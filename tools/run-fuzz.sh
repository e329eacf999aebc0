#!/usr/bin/env bash
# Fuzzes the sprite file loader: tools/run-fuzz.sh BUILD_DIR SECONDS
# Configures the clang build with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in BUILD_DIR (tools/configure-sanitize.sh),
# builds the fuzz target alone and runs it for SECONDS from the seed corpus
# (tests/fuzz/corpus and the game's sprites), on a working copy so the seeds
# stay as they are. Fails when libFuzzer reports a crash, a leak or a
# timeout; findings are kept in BUILD_DIR/fuzz-work/artifacts.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# The same configuration as the sanitizer build of `make test`, which shares this directory.
build_dir=$("$root/tools/configure-sanitize.sh" "${1:?usage: $0 BUILD_DIR [SECONDS]}")
seconds=${2:-60}
cmake --build "$build_dir" -j "${JOBS:-2}" --target sprite_loader_fuzz

work="$build_dir/fuzz-work"
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$root"/tests/fuzz/corpus/* "$work/corpus/"
cp "$root"/data/sprites/*.txt "$work/corpus/" 2>/dev/null || true

# The target writes its log (orvane.log) into the working directory.
cd "$work"
status=0
"$build_dir/tests/fuzz/sprite_loader_fuzz" \
    -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    corpus >"$work/fuzz.out" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.out" | tail -n 1)
seconds_run=$(sed -n 's/.*Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/fuzz.out" | tail -n 1)
if [ -n "$seconds_run" ]; then
    echo "Sprite loader fuzzing: ${runs:-unknown} inputs executed in $seconds_run s"
else
    echo "Sprite loader fuzzing: ${runs:-unknown} inputs executed before it stopped"
fi

findings=$(find "$work/artifacts" -type f | wc -l)
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "libFuzzer reported a problem (exit status $status, $findings artifact(s)):" >&2
    grep -E "ERROR|SUMMARY|runtime error|Test unit written" "$work/fuzz.out" >&2 || tail -n 40 "$work/fuzz.out" >&2
    exit 1
fi
