#!/usr/bin/env bash
# Dry-run benchmark (median of three runs each): korvx-run in simulation on
# generated part programs of 10,000, 100,000 and 1,000,000 blocks, without
# and with a saved picture, and the same files through LinuxCNC's standalone
# interpreter rs274 (installed when missing) as the yardstick. Prints blocks
# per second, peak memory and the time ratio against rs274.
# Then the same for G-code files of as many lines as CAM programs write them
# (bench/rs274_erzeugen.py): korvx-import alone, the converted program run,
# and korvx-run on the G-code file (convert and run in one), against rs274
# on the same G-code file; converting must not take longer than the run.
#
#   bench/trockenlauf.sh [BUILD_DIR] [BLOCK COUNTS...]
set -euo pipefail
cd "$(dirname "$0")/.."
bau=${1:-build}
shift || true
groessen=("$@")
[ ${#groessen[@]} -eq 0 ] && groessen=(10000 100000 1000000)
lauf="$bau/src/app/korvx-run"
[ -x "$lauf" ] || { echo "korvx-run fehlt: zuerst ./scripts/build.sh $bau" >&2; exit 2; }
if ! command -v rs274 >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends linuxcnc-uspace
fi
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
mkdir -p "$arbeit/start" "$arbeit/home"
# The G-code files change to tool 1, which is then already in the spindle,
# and rise to z 5, so they run with the zero point 25 mm below the top.
cp examples/FraesWkz.DAT "$arbeit/start/"
import="$bau/src/app/korvx-import"

# messen COMMAND...: runs it three times under /usr/bin/time; prints the
# median seconds and the largest peak MB (one run on a shared machine is
# too noisy for a ratio of two runs).
messen() {
    local zeiten=() spitze=0 sek kb
    for _ in 1 2 3; do
        /usr/bin/time -f '%e %M' -o "$arbeit/zeit" "$@" >"$arbeit/aus" 2>&1 || true
        read -r sek kb <"$arbeit/zeit"
        zeiten+=("$sek")
        [ "$kb" -gt "$spitze" ] && spitze=$kb
    done
    echo "$(printf '%s\n' "${zeiten[@]}" | sort -g | sed -n 2p) $((spitze / 1024))"
}

printf '%-10s %-14s %10s %14s %10s %12s\n' Bloecke Lauf Sekunden "Bloecke/s" "Spitze MB" "zu rs274"
for n in "${groessen[@]}"; do
    datei="$arbeit/P$n.CNC"
    python3 bench/programm_erzeugen.py "$n" "$datei"
    read -r rs_s rs_mb < <(messen env HOME="$arbeit/home" rs274 -g "$datei" /dev/null)
    for art in ohne-Bild mit-Bild; do
        bild=()
        [ "$art" = mit-Bild ] && bild=(--image "$arbeit/bild.png")
        read -r s mb < <(messen "$lauf" --start-dir "$arbeit/start" --mode sim "${bild[@]}" "$datei")
        if ! grep -q '^end: m30 ' "$arbeit/aus"; then
            echo "Lauf mit $n Bloecken endete nicht mit M30:" >&2
            tail -5 "$arbeit/aus" >&2
            exit 1
        fi
        awk -v n="$n" -v a="korvx $art" -v s="$s" -v mb="$mb" -v r="$rs_s" \
            'BEGIN { printf "%-10s %-14s %10s %14.0f %10s %12.2f\n", n, a, s, n / (s + 0.001), mb, s / (r + 0.001) }' 
    done
    awk -v n="$n" -v s="$rs_s" -v mb="$rs_mb" \
        'BEGIN { printf "%-10s %-14s %10s %14.0f %10s %12s\n", n, "rs274", s, n / (s + 0.001), mb, "1.00" }' 
done

# zeile N WHAT SECONDS MB RS274_SECONDS: one line of the table.
zeile() {
    awk -v n="$1" -v a="$2" -v s="$3" -v mb="$4" -v r="$5" \
        'BEGIN { printf "%-10s %-14s %10s %14.0f %10s %12.2f\n", n, a, s, n / (s + 0.001), mb, s / (r + 0.001) }'
}
echo
printf '%-10s %-14s %10s %14s %10s %12s\n' Zeilen G-Code Sekunden "Zeilen/s" "Spitze MB" "zu rs274"
for n in "${groessen[@]}"; do
    ngc="$arbeit/G$n.ngc"
    cnc="$arbeit/G$n.CNC"
    python3 bench/rs274_erzeugen.py "$n" >"$ngc"
    read -r rs_s rs_mb < <(messen env HOME="$arbeit/home" rs274 -g "$ngc" /dev/null)
    # Each time into a new file, so no backup copy of the last one is made.
    read -r im_s im_mb < <(messen bash -c 'rm -f "$2"; exec "$0" "$1" "$2"' "$import" "$ngc" "$cnc")
    if ! grep -q '^written: ' "$arbeit/aus"; then
        echo "korvx-import hat $n Zeilen nicht umgesetzt:" >&2
        tail -5 "$arbeit/aus" >&2
        exit 1
    fi
    for datei in "$cnc" "$ngc"; do
        read -r s mb < <(messen "$lauf" --start-dir "$arbeit/start" --mode sim --tool 1 \
            --zero 0,0,40 "$datei")
        if ! grep -q '^end: m30 ' "$arbeit/aus"; then
            echo "Lauf von $datei endete nicht mit M30:" >&2
            tail -5 "$arbeit/aus" >&2
            exit 1
        fi
        if [ "$datei" = "$cnc" ]; then lauf_s=$s lauf_mb=$mb; else beide_s=$s beide_mb=$mb; fi
    done
    # One word per name, so scripts/bench.sh can read the table.
    zeile "$n" korvx-import "$im_s" "$im_mb" "$rs_s"
    zeile "$n" Lauf-CNC "$lauf_s" "$lauf_mb" "$rs_s"
    zeile "$n" umsetzen+Lauf "$beide_s" "$beide_mb" "$rs_s"
    zeile "$n" rs274-G-Code "$rs_s" "$rs_mb" "$rs_s"
    # Converting alone against the run: korvx-import (reading, converting,
    # writing the file), and in memory (the G-code run less the .CNC run).
    awk -v n="$n" -v i="$im_s" -v l="$lauf_s" -v b="$beide_s" \
        'BEGIN { printf "%-10s %-14s %10.2f %14.2f (Ziel <= 1)\n", n, "Umsetzen/Lauf", i / (l + 0.001), (b - l) / (l + 0.001) }'
done
