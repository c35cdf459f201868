#!/usr/bin/env bash
# G-code files as CAM programs write them (the .nc and .ngc files of the
# folder given), converted by korvx-run and run in simulation and in the
# machine mode against korvx-ctlsim on a pseudo-terminal: each must run to its
# end without a message beyond the program end, and the machine run must end
# as the simulation does (same reason, counts, time estimate and end
# position) with every move sent after its position query.
# Arguments: korvx-run, korvx-ctlsim, the folder. Every step is bounded in time.
set -euo pipefail
lauf=$1
sim=$2
fall=$3
ordner=$(mktemp -d)
simpid=
aufraeumen() {
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null || true; fi
    rm -rf "$ordner"
}
trap aufraeumen EXIT
cp "$fall"/*.nc "$fall"/*.ngc "$fall"/FraesWkz.DAT "$ordner"/
cd "$ordner"
# Room above the workpiece for the safe heights; tool 1 in the spindle, so a
# tool change moves z by the length difference of the tools only.
nullpunkt=(--zero 100,80,40 --tool 1)

fehler=0
for datei in *.nc *.ngc; do
    status=0
    timeout 30 "$lauf" --mode sim "${nullpunkt[@]}" "$datei" >sim.out || status=$?
    erwartet=$(tail -n 1 sim.out)
    case "$erwartet" in
    "end: m30 "* | "end: normal "*) ;;
    *)
        echo "$datei: simulation ended: $erwartet (exit status $status)"
        cat sim.out
        fehler=1
        continue
        ;;
    esac

    "$sim" --link . --time-scale 0.01 --baud 115200 --lifetime 60 --log sim.log >ctlsim.out &
    simpid=$!
    for _ in $(seq 100); do
        [ -e COM1 ] && break
        sleep 0.05
    done
    [ -e COM1 ] || { echo "korvx-ctlsim made no COM1 link"; exit 1; }
    status=0
    timeout 60 "$lauf" --mode machine --trace "${nullpunkt[@]}" "$datei" >lauf.out || status=$?
    wait "$simpid" 2>/dev/null || true
    simpid=
    # The machine run alone has the wall time.
    ende=$(tail -n 1 lauf.out | sed "s/ wall_ms=[0-9]*$//")
    falsch=0
    if [ "$status" != 0 ]; then echo "$datei: exit status $status"; falsch=1; fi
    if [ "$ende" != "$erwartet" ]; then
        printf '%s: end line differs\n  simulation: %s\n  machine:    %s\n' "$datei" "$erwartet" "$ende"
        falsch=1
    fi
    zuege=$(grep -c '^move: ' lauf.out || true)
    gesendet=$(grep -c '^send: @0A ' lauf.out || true)
    abfragen=$(grep -c '^send: @0P' lauf.out || true)
    if [ "$zuege" = 0 ] || [ "$gesendet" != "$zuege" ] || [ "$abfragen" != "$zuege" ]; then
        echo "$datei: moves $zuege, sent $gesendet, position queries $abfragen"
        falsch=1
    fi
    if grep '^message: ' lauf.out | grep -qvE '^message: (M30: Programmende!|Programm-Stopp! Weiter : OK!)$'; then
        echo "$datei: unexpected messages:"
        grep '^message: ' lauf.out
        falsch=1
    fi
    if [ "$falsch" != 0 ]; then
        echo "--- korvx-run output (last 30 lines)"; tail -n 30 lauf.out
        echo "--- korvx-ctlsim log (last 10 lines)"; tail -n 10 sim.log || true
        fehler=1
    else
        echo "$datei: $ende"
    fi
    rm -f COM1 sim.log
done
exit "$fehler"
