#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1 with extra CMake
# options), warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
ordner=${1:-build}
shift || true
cmake -S . -B "$ordner" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVX_WERROR=ON "$@" >/dev/null
cmake --build "$ordner" -j"$(nproc)"
