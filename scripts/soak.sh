#!/usr/bin/env bash
# Fault soak: the example programs and generated ones in the machine modes
# through korvx-run against korvx-ctlsim on a pseudo-terminal, with faults
# injected at random points, until N moves have been made. Ends with
# "soak: R runs, M moves, F faults, W wrong" and exits 0 only when W is 0.
#
#   ./scripts/soak.sh [--moves N] [--seed S] [--verbose]
#
# Builds korvx-run and korvx-ctlsim into build-soak/ unless KORVX_BUILD names
# a build folder that has them.
set -euo pipefail
cd "$(dirname "$0")/.."
bau=${KORVX_BUILD:-build-soak}
if [ ! -x "$bau/src/app/korvx-run" ] || [ ! -x "$bau/src/ctlsim/korvx-ctlsim" ] ||
    [ -z "${KORVX_BUILD:-}" ]; then
    command -v cmake >/dev/null || ./scripts/setup.sh
    cmake -S . -B "$bau" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVX_WERROR=ON \
        -DKORVX_WITH_QT=OFF -DKORVX_BENCH=OFF >/dev/null
    cmake --build "$bau" -j"$(nproc)" --target korvx-run korvx-ctlsim >/dev/null
fi
exec python3 scripts/soak.py --build "$bau" "$@"
