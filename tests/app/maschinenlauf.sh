#!/usr/bin/env bash
# korvx-run in the machine mode against korvx-ctlsim on a pseudo-terminal:
# the program of the folder given must end as it ends in simulation (same
# reason, counts, time estimate and end position), with every move sent and
# confirmed. Arguments: korvx-run, korvx-ctlsim, the program folder, then
# options for both runs (for example --zero and --tool); a tool file in the
# folder is used.
# Every step is bounded in time; the simulator is ended on any exit.
set -euo pipefail
source "$(dirname "$0")/ctlsim.sh"
lauf=$1
sim=$2
fall=$3
shift 3
optionen=("$@")
ordner=$(mktemp -d)
simpid=
aufraeumen() {
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null || true; fi
    rm -rf "$ordner"
}
trap aufraeumen EXIT
cp "$fall"/*.CNC "$ordner"/
if [ -e "$fall/FraesWkz.DAT" ]; then cp "$fall/FraesWkz.DAT" "$ordner"/; fi
cd "$ordner"

erwartet=$(timeout 30 "$lauf" --mode sim "${optionen[@]}" TEIL.CNC | tail -n 1)

# Fast line and motion, so the run takes a second or two.
ctlsim_starten --time-scale 0.01 --baud 115200 --lifetime 60 --log sim.log >sim.out

status=0
timeout 60 "$lauf" --mode machine --trace "${optionen[@]}" TEIL.CNC >lauf.out || status=$?
ende=$(endzeile lauf.out)
fehler=0
if [ "$status" != 0 ]; then echo "exit status $status"; fehler=1; fi
# The estimate comes before the first block, the wall time with the end.
if ! grep -m 1 -E '^(estimate|block): ' lauf.out | grep -q '^estimate: time_ms=[0-9]*$' ||
    ! tail -n 1 lauf.out | grep -q ' wall_ms=[0-9]*$'; then
    echo "no estimate line before the run or no wall time in its end line"
    fehler=1
fi
if [ "$ende" != "$erwartet" ]; then
    printf 'end line differs\n  simulation: %s\n  machine:    %s\n' "$erwartet" "$ende"
    fehler=1
fi
# Each move goes out after its position query and is confirmed.
zuege_pruefen lauf.out || fehler=1
meldungen_pruefen lauf.out '^message: M30: Programmende!$' || fehler=1
if [ "$fehler" != 0 ]; then
    ausgaben_zeigen 40 20
    exit 1
fi
echo "$ende"
