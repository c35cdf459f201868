#!/usr/bin/env bash
# Accuracy of the run-time estimate: korvx-run in the machine mode against
# korvx-ctlsim at 9600 baud and time scale 1 (real time), for the example
# programs and a generated 2,000-block program of short moves. Compares the
# estimate printed before the run ("estimate: time_ms=N", --trace) with the
# wall time of the run ("wall_ms=N" in the end line); target within 3 %.
# Takes about eight minutes; ZYKLEN.CNC (nine more) only with --alle.
#
#   bench/schaetzung.sh [BUILD_DIR] [--alle]
set -euo pipefail
cd "$(dirname "$0")/.."
bau=${1:-build}
lauf="$PWD/$bau/src/app/korvx-run"
sim="$PWD/$bau/src/ctlsim/korvx-ctlsim"
[ -x "$lauf" ] && [ -x "$sim" ] || { echo "korvx-run/korvx-ctlsim fehlen in $bau" >&2; exit 2; }
source tests/app/ctlsim.sh
arbeit=$(mktemp -d)
simpid=
aufraeumen() {
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null || true; fi
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
cp examples/* "$arbeit"/
python3 bench/kurzwege_erzeugen.py 2000 "$arbeit/KURZ2000.CNC"
programme=(BEISPIEL.CNC BOHRUNG.CNC KONTUR.CNC CAMTEIL.ngc KURZ2000.CNC)
[ "${2:-}" = --alle ] && programme+=(ZYKLEN.CNC)
# PROGRAMME="A.CNC B.CNC" measures only those.
[ -n "${PROGRAMME:-}" ] && read -ra programme <<<"$PROGRAMME"
cd "$arbeit"
for p in "${programme[@]}"; do
    rm -f COM1
    ctlsim_starten --baud 9600 --time-scale 1 --lifetime 1200 >/dev/null 2>&1 || {
        echo "$p: korvx-ctlsim made no COM1 link"
        continue
    }
    timeout 1200 "$lauf" --mode machine --trace --start-dir . --zero 0,0,40 --tool 1 \
        --font FUTURAL.FNT "$p" >lauf.out || true
    kill "$simpid" 2>/dev/null || true
    wait "$simpid" 2>/dev/null || true
    simpid=
    schaetzung=$(sed -n 's/^estimate: time_ms=\([0-9]*\).*/\1/p' lauf.out)
    ende=$(tail -n 1 lauf.out)
    wand=$(sed -n 's/.* wall_ms=\([0-9]*\).*/\1/p' <<<"$ende")
    zuege=$(grep -c '^send: @0A ' lauf.out || true)
    if [ -z "$schaetzung" ] || [ -z "$wand" ]; then
        echo "$p: kein Ergebnis: $ende"
        continue
    fi
    awk -v p="$p" -v s="$schaetzung" -v w="$wand" -v n="$zuege" 'BEGIN {
        printf "%-13s moves %5d  estimate %8d ms  wall %8d ms  error %+6.2f %%  (wall - estimate) / move %+6.3f ms\n",
               p, n, s, w, (s - w) * 100.0 / w, (w - s) / (n > 0 ? n : 1) }'
done
