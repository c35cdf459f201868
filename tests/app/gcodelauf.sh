#!/usr/bin/env bash
# G-code files as CAM programs write them (the .nc and .ngc files of the
# folder given), converted by korvx-run and run in simulation and in the
# machine mode against korvx-ctlsim on a pseudo-terminal: each must run to its
# end without a message beyond the program end, and the machine run must end
# as the simulation does (same reason, counts, time estimate and end
# position) with every move sent after its position query.
# Arguments: korvx-run, korvx-ctlsim, the folder. Every step is bounded in time.
set -euo pipefail
source "$(dirname "$0")/ctlsim.sh"
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

    ctlsim_starten --time-scale 0.01 --baud 115200 --lifetime 60 --log sim.log >ctlsim.out || exit 1
    status=0
    timeout 60 "$lauf" --mode machine --trace "${nullpunkt[@]}" "$datei" >lauf.out || status=$?
    wait "$simpid" 2>/dev/null || true
    simpid=
    ende=$(endzeile lauf.out)
    falsch=0
    if [ "$status" != 0 ]; then echo "$datei: exit status $status"; falsch=1; fi
    if [ "$ende" != "$erwartet" ]; then
        printf '%s: end line differs\n  simulation: %s\n  machine:    %s\n' "$datei" "$erwartet" "$ende"
        falsch=1
    fi
    if ! ergebnis=$(zuege_pruefen lauf.out); then
        echo "$datei: $ergebnis"
        falsch=1
    fi
    if ! meldungen_pruefen lauf.out '^message: (M30: Programmende!|Programm-Stopp! Weiter : OK!)$'; then
        echo "  (in $datei)"
        falsch=1
    fi
    if [ "$falsch" != 0 ]; then
        ausgaben_zeigen 30 10
        fehler=1
    else
        echo "$datei: $ende"
    fi
    rm -f COM1 sim.log
done
exit "$fehler"
