#!/usr/bin/env bash
# Builds every fuzz target (fuzz/, clang, address and undefined-behaviour
# sanitizers) and runs each for SECONDS (default 60) on its corpus, seeded
# from examples/ and tests/. Exits non-zero on any finding (crash, leak,
# timeout, out of memory); the finding is left in build-fuzz/funde/.
#
#   ./scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden=${1:-60}
shift || true
ziele=("$@")
[ ${#ziele[@]} -eq 0 ] && ziele=(programm einstellungen werkzeugdatei zeichensatz antwort rs274)
bau=${KORVX_FUZZ_BUILD:-build-fuzz}
command -v clang++ >/dev/null || ./scripts/setup.sh
CXX=clang++ cmake -S fuzz -B "$bau" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$bau" -j"$(nproc)" --target "${ziele[@]/#/fuzz_}"

# Seeds: the part programs, tool files, settings images and fonts of the
# repository, and the hand-made replies of fuzz/korpus-antwort.
saat() {
    case "$1" in
    programm) find examples tests -name '*.CNC' ;;
    werkzeugdatei) find examples tests -name 'FraesWkz.DAT' ;;
    einstellungen) find fuzz/korpus-einstellungen -type f; find tests -name 'Korvelantrix.DAT' ;;
    zeichensatz) find fuzz/korpus -type f ;;
    antwort) find fuzz/korpus-antwort -type f ;;
    rs274)
        find fuzz/korpus-rs274 -type f
        find examples tests -name '*.ngc' -o -name '*.nc'
        [ -d ../shared/gcode-corpus ] && find ../shared/gcode-corpus -type f ! -name SOURCES.txt -size -8k
        true
        ;;
    esac
}
# Longest input per target: what the target looks at.
laenge() {
    case "$1" in
    programm) echo 8192 ;;
    werkzeugdatei) echo 8192 ;;
    einstellungen) echo 1400 ;;
    zeichensatz) echo 20001 ;;
    antwort) echo 512 ;;
    rs274) echo 8192 ;;
    esac
}

mkdir -p "$bau/funde"
status=0
for z in "${ziele[@]}"; do
    korpus="$bau/korpus-$z"
    saatordner="$bau/saat-$z"
    rm -rf "$saatordner"
    mkdir -p "$korpus" "$saatordner"
    n=0
    while read -r datei; do
        n=$((n + 1))
        cp "$datei" "$saatordner/$n-$(basename "$datei")"
    done < <(saat "$z")
    log="$bau/fuzz-$z.log"
    echo "fuzz_$z: $sekunden s, $n seeds"
    if ! (cd "$bau/funde" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
        UBSAN_OPTIONS=print_stacktrace=1 "../fuzz_$z" -max_total_time="$sekunden" \
        -max_len="$(laenge "$z")" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        "../korpus-$z" "../saat-$z") >"$log" 2>&1; then
        echo "fuzz_$z: FINDING (see $log and $bau/funde/)"
        grep -E "^==[0-9]+==ERROR|SUMMARY|runtime error|Test unit written" "$log" | head -5 || true
        status=1
    fi
    grep -E "stat::number_of_executed_units" "$log" | sed "s/^/fuzz_$z: /" || true
done
exit $status
