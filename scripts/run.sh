#!/usr/bin/env bash
# The main job: installs and builds what is missing, prepares a start folder
# with the examples (once; it is kept between runs), starts the controller
# simulator linked there as COM1 and opens the Korvelantrix window in it. The
# simulator ends with the window. Without a display the example runs headless
# through korvx-run instead and its picture is saved.
#
#     ./scripts/run.sh            start folder: $KORVX_START or ~/Korvelantrix
set -euo pipefail
cd "$(dirname "$0")/.."
projekt=$(pwd)
./scripts/setup.sh
./scripts/build.sh build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm (DISPLAY nicht gesetzt): das Beispiel läuft ohne Fenster." >&2
    cd examples
    status=0
    "$projekt"/build/src/app/korvx-run --mode sim --tool 1 --image "$projekt"/build/KONTUR.png \
        KONTUR.CNC || status=$?
    echo "Grafik: build/KONTUR.png" >&2
    exit "$status"
fi

start=${KORVX_START:-$HOME/Korvelantrix}
if [ ! -d "$start" ]; then
    mkdir -p "$start"
    cp -r examples/. "$start"/
    echo "Startordner $start mit den Beispielen angelegt." >&2
fi

# The controller simulator as COM1 of the start folder, ten times faster
# than a real machine, for "Parallelgrafik" and "Grafik aus".
"$projekt"/build/src/ctlsim/korvx-ctlsim --link "$start" --port 1 --time-scale 0.1 \
    >/dev/null 2>"$start/korvx-ctlsim.log" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "$start/COM1" ] && break
    sleep 0.1
done
cd "$start"
"$projekt"/build/src/app/korvelantrix
