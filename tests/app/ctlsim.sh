# Shared steps of the runs against korvx-ctlsim, sourced by the test scripts
# and the estimate bench.
# They expect $sim (the simulator) and keep its process id in $simpid, which
# the caller's exit trap kills.

# ctlsim_starten ARGS…: starts korvx-ctlsim with a COM1 link in the current
# folder and waits (at most 5 s) for the link.
ctlsim_starten() {
    "$sim" --link . "$@" &
    simpid=$!
    for _ in $(seq 100); do
        [ -e COM1 ] && break
        sleep 0.05
    done
    [ -e COM1 ] || { echo "korvx-ctlsim made no COM1 link" >&2; return 1; }
}

# endzeile FILE: the last line of a run's output without its wall-clock time,
# which no two runs share.
endzeile() {
    tail -n 1 "$1" | sed 's/ wall_ms=[0-9]*//'
}

# zuege_pruefen FILE: every traced move went out after its position query;
# says what differs and fails otherwise.
zuege_pruefen() {
    local zuege gesendet abfragen
    zuege=$(grep -c '^move: ' "$1" || true)
    gesendet=$(grep -c '^send: @0A ' "$1" || true)
    abfragen=$(grep -c '^send: @0P' "$1" || true)
    if [ "$zuege" = 0 ] || [ "$gesendet" != "$zuege" ] || [ "$abfragen" != "$zuege" ]; then
        echo "moves $zuege, sent $gesendet, position queries $abfragen"
        return 1
    fi
}

# meldungen_pruefen FILE PATTERN: every message of the run matches PATTERN
# (an extended regular expression for the whole line); lists them all and
# fails otherwise.
meldungen_pruefen() {
    if grep '^message: ' "$1" | grep -qvE "$2"; then
        echo "unexpected messages:"
        grep '^message: ' "$1"
        return 1
    fi
}

# ausgaben_zeigen N M: the last N lines of the run's output (lauf.out) and the
# last M of the simulator's log (sim.log), for a run that failed.
ausgaben_zeigen() {
    echo "--- korvx-run output (last $1 lines)"; tail -n "$1" lauf.out
    echo "--- korvx-ctlsim log (last $2 lines)"; tail -n "$2" sim.log || true
}
