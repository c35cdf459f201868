#!/usr/bin/env bash
# The operator's stops of a console run in the machine mode against
# korvx-ctlsim: Ctrl+C (SIGINT) in the middle of the moves sends the stop byte
# as the last thing on the line and ends the run (abort, exit status 1, the
# reference lost); the abort button (SIGUSR1) in "parallel" mode asks, and
# after "yes" nothing more is sent. Arguments: korvx-run, korvx-ctlsim, the
# program folder. Every step is bounded in time.
set -euo pipefail
source "$(dirname "$0")/ctlsim.sh"
lauf=$(realpath "$1")
sim=$(realpath "$2")
fall=$(realpath "$3")
ordner=$(mktemp -d)
simpid=
laufpid=
aufraeumen() {
    if [ -n "$laufpid" ]; then kill "$laufpid" 2>/dev/null || true; fi
    if [ -n "$simpid" ]; then kill "$simpid" 2>/dev/null || true; fi
    rm -rf "$ordner"
}
trap aufraeumen EXIT
cp "$fall"/*.CNC "$ordner"/
cd "$ordner"
fehler=0

# stopp MODE SIGNAL: runs TEIL.CNC and sends SIGNAL (again and again for the
# abort button, which only counts during a move) once 12 lines have gone out.
stopp() {
    rm -f sim.log
    # Slow motion, so the signal falls in the middle of the moves.
    ctlsim_starten --time-scale 0.2 --baud 115200 --lifetime 60 --stay --log sim.log >sim.out
    "$lauf" --mode "$1" --trace TEIL.CNC >lauf.out &
    laufpid=$!
    # The run's bound: ended after 60 s.
    (sleep 60; kill "$laufpid" 2>/dev/null) >/dev/null 2>&1 &
    wachpid=$!
    for _ in $(seq 600); do
        [ "$(cat sim.log 2>/dev/null | grep -c ' rx ')" -ge 12 ] && break
        sleep 0.05
    done
    for _ in $(seq 200); do
        kill -0 "$laufpid" 2>/dev/null || break
        kill -s "$2" "$laufpid" 2>/dev/null || true
        [ "$2" = INT ] && break
        grep -q 'abbrechen? -> yes' lauf.out && break
        sleep 0.02
    done
    status=0
    wait "$laufpid" || status=$?
    laufpid=
    kill "$wachpid" 2>/dev/null || true
    sleep 0.3
    kill "$simpid" 2>/dev/null || true
    wait "$simpid" 2>/dev/null || true
    simpid=
    if [ "$status" != 1 ] || ! tail -n 1 lauf.out | grep -q '^end: abort ' ||
        ! grep -q '^reference: lost$' lauf.out; then
        echo "$1 $2: exit status $status"
        fehler=1
    fi
}

stopp machine INT
# The stop byte is the last line sent and the last the controller received.
if [ "$(grep '^send: ' lauf.out | tail -n 1)" != 'send: ÿ\x0D\x0D' ] ||
    [ "$(grep ' rx ' sim.log | tail -n 1 | cut -d' ' -f3-)" != '\xFF' ]; then
    echo "machine INT: the stop byte is not the last line"
    fehler=1
fi
cp lauf.out notaus.out

stopp parallel USR1
frage=$(grep -n 'abbrechen? -> yes' lauf.out | head -n 1 | cut -d: -f1)
gesendet=$(grep -c '^send: ' lauf.out || true)
empfangen=$(grep -c ' rx ' sim.log || true)
if [ -z "$frage" ] || tail -n +"$frage" lauf.out | grep -q '^send: ' ||
    [ "$gesendet" != "$empfangen" ]; then
    echo "parallel USR1: question at line '$frage', $gesendet sent, $empfangen received"
    fehler=1
fi
# Ctrl+C during a long simulated move in real time (F0: minutes for 100 mm)
# ends the run at once, not when the move's wait is over.
printf 'N10 G01 F0 X100\r\nN20 X0\r\n' >LANG.CNC
"$lauf" --mode sim --realtime LANG.CNC >lang.out &
laufpid=$!
sleep 0.5
vorher=$(date +%s%N)
kill -s INT "$laufpid"
status=0
wait "$laufpid" || status=$?
laufpid=
dauer=$((($(date +%s%N) - vorher) / 1000000))
if [ "$status" != 1 ] || ! tail -n 1 lang.out | grep -q '^end: abort ' || [ "$dauer" -gt 300 ]; then
    echo "sim --realtime INT: exit status $status after $dauer ms"
    tail -n 3 lang.out
    fehler=1
fi

if [ "$fehler" != 0 ]; then
    echo "--- emergency stop run (last 10 lines)"; tail -n 10 notaus.out
    echo "--- abort run (last 10 lines)"; tail -n 10 lauf.out
    echo "--- korvx-ctlsim log (last 10 lines)"; tail -n 10 sim.log || true
    exit 1
fi
echo "stops ok"
