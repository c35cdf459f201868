#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: a normal build
# and one with the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")
./scripts/build.sh build-asan -DKORVX_SANITIZE=ON -DKORVX_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$(nproc)")
