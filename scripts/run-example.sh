#!/usr/bin/env bash
# Installs what is missing, builds, and checks the bundled example program in
# the bundled example start folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build
cd examples
exec ../build/src/app/korvx-run --check BEISPIEL.CNC
