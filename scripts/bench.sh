#!/usr/bin/env bash
# Runs every benchmark once and prints one line per figure with its ratio,
# then writes the same lines with the machine they were taken on into
# bench/RESULTS.md:
#   - dry run: korvx-run --mode sim on generated programs of 10k, 100k and 1M
#     blocks against LinuxCNC's rs274 on the same files, and peak memory;
#   - drawing: the same runs with --image (800 x 600);
#   - G-code: converting (korvx-import) against running the converted program,
#     and converting and running against rs274 on the same G-code file;
#   - machine link: the per-move round trip at 9600 baud against the line time;
#   - window: event latency while a large program is drawn (when built).
#
#   ./scripts/bench.sh [BLOCK COUNTS...]      (default 10000 100000 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
bau=${KORVX_BUILD:-build}
command -v cmake >/dev/null || ./scripts/setup.sh
cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVX_WERROR=ON >/dev/null
ziele=(korvx-run korvx-import korvx-ctlsim bench_isel)
# grep reads the whole list: with -q it would stop at the match, and under
# pipefail cmake's broken pipe would count as "not built".
if cmake --build "$bau" --target help | grep bench_fenster >/dev/null; then
    ziele+=(bench_fenster)
fi
cmake --build "$bau" -j"$(nproc)" --target "${ziele[@]}" >/dev/null

aus=$(mktemp)
trap 'rm -f "$aus"' EXIT
zeile() {
    echo "$*" | tee -a "$aus"
}

# The dry-run table: blocks, run, seconds, blocks/s, peak MB, ratio to rs274.
tabelle=$(bench/trockenlauf.sh "$bau" "$@")
echo "$tabelle" >&2
while read -r n art sek bps mb quote; do
    case "$art" in
    rs274) rs_s[$n]=$sek; rs_mb[$n]=$mb ;;
    ohne-Bild) ohne_s[$n]=$sek; ohne_mb[$n]=$mb; ohne_q[$n]=$quote; ohne_bps[$n]=$bps ;;
    mit-Bild) mit_s[$n]=$sek; mit_mb[$n]=$mb ;;
    korvx-import) im_s[$n]=$sek; im_mb[$n]=$mb ;;
    Lauf-CNC) cnc_s[$n]=$sek ;;
    umsetzen+Lauf) gc_s[$n]=$sek; gc_mb[$n]=$mb; gc_q[$n]=$quote ;;
    rs274-G-Code) gcrs_s[$n]=$sek ;;
    Umsetzen/Lauf) um_q[$n]=$sek; um_speicher[$n]=$bps ;;
    esac
done < <(echo "$tabelle" | tail -n +2 | sed 's/korvx //')
for n in "${!ohne_s[@]}"; do
    zeile "dry run $n blocks: ${ohne_s[$n]} s (${ohne_bps[$n]} blocks/s), peak ${ohne_mb[$n]} MB;" \
        "rs274 ${rs_s[$n]} s, ${rs_mb[$n]} MB; time ratio to rs274 ${ohne_q[$n]}" \
        "(target < 1 at 1M blocks, peak < 100 MB)"
done
for n in "${!mit_s[@]}"; do
    zusatz=$(awk -v m="${mit_s[$n]}" -v o="${ohne_s[$n]}" 'BEGIN { printf "%.2f", m - o }')
    quote=$(awk -v m="${mit_s[$n]}" -v o="${ohne_s[$n]}" 'BEGIN { printf "%.2f", (m - o) / (o + 0.001) }')
    zeile "drawing $n blocks into 800x600: ${mit_s[$n]} s, adds $zusatz s, ratio to the dry run" \
        "$quote (target <= 0.5), peak ${mit_mb[$n]} MB"
done

for n in "${!im_s[@]}"; do
    zeile "G-code $n lines: korvx-import ${im_s[$n]} s, peak ${im_mb[$n]} MB; run of the converted" \
        "program ${cnc_s[$n]} s; converting / run ${um_q[$n]} (in memory ${um_speicher[$n]})" \
        "(target <= 1 at 1M lines); convert + run ${gc_s[$n]} s, peak ${gc_mb[$n]} MB," \
        "rs274 on the same file ${gcrs_s[$n]} s, ratio ${gc_q[$n]}"
done

# The straight-move round trip over the pseudo-terminal at 9600 baud.
isel=$("$bau/bench/bench_isel" 2>&1 | grep '^straight-move round trip' || true)
zeile "machine link at 9600 baud: ${isel#straight-move round trip: }"

if [ -x "$bau/bench/bench_fenster" ]; then
    fenster=$("$bau/bench/bench_fenster" 2>&1 | tail -n 1)
    zeile "window: ${fenster#window: }"
else
    zeile "window: not built"
fi

{
    echo "# Benchmark figures"
    echo
    echo "One run of \`./scripts/bench.sh\` on $(date -u +%Y-%m-%d):" \
        "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')," \
        "$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo) memory" \
        "(shared with other work while it ran)."
    echo
    sed 's/^/    /' "$aus"
} >bench/RESULTS.md
