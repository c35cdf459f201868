#!/usr/bin/env bash
# Installs what is missing, builds, and runs the bundled example program in
# simulation in the bundled example start folder, with tool 1 of its tool
# list; the graphic is saved as build/KONTUR.png.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build
cd examples
status=0
../build/src/app/korvx-run --mode sim --tool 1 --image ../build/KONTUR.png KONTUR.CNC || status=$?
echo "Grafik: build/KONTUR.png" >&2
exit "$status"
