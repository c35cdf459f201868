#!/usr/bin/env bash
# Installs what is missing, checks the include layering, builds, and runs every
# test: a normal build, the serial port's threads under the thread sanitizer,
# a gcc Release build and the Debian package made from it, the logic built
# with clang, and last every test again with the address and
# undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# The include layering against the module table of docs/ARCHITECTURE.md, first
# the checker itself on a made-up tree.
python3 scripts/schichten.py --selbsttest
python3 scripts/schichten.py
./scripts/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")
# A short fault soak against the controller simulator (the full one is
# ./scripts/soak.sh on its own).
KORVX_BUILD=build ./scripts/soak.sh --moves 200
# Only the machine-link tests run under the thread sanitizer; the rest has no
# threads.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVX_WERROR=ON -DKORVX_TSAN=ON \
    -DKORVX_WITH_QT=OFF -DKORVX_BENCH=OFF >/dev/null
cmake --build build-tsan --target test_machine -j"$(nproc)"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build-tsan/tests/machine/test_machine \
    --gtest_brief=1
# Warning-free in every build type with both compilers: once with gcc at -O3
# (Release), whose warnings differ from the other optimisation levels, and the
# logic with its unit tests once with clang.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKORVX_WERROR=ON \
    -DKORVX_WITH_QT=OFF -DKORVX_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
(cd build-release && ctest --output-on-failure -j"$(nproc)")
# The Debian package from the same Release folder (only the window programs
# are added), linted, installed into a fresh root and run from there.
paket=$(./scripts/package.sh build-release)
bash tests/paket/pruefen.sh "$paket"
logiktests=(state geometry interpreter machine graphics tools fonts rs274)
CXX=clang++ cmake -S . -B build-clang -DCMAKE_BUILD_TYPE=Debug -DKORVX_WERROR=ON \
    -DKORVX_WITH_QT=OFF -DKORVX_BENCH=OFF >/dev/null
cmake --build build-clang -j"$(nproc)" --target korvx_logic "${logiktests[@]/#/test_}"
for t in "${logiktests[@]}"; do
    build-clang/tests/"$t"/test_"$t" --gtest_brief=1
done
./scripts/build.sh build-asan -DKORVX_SANITIZE=ON -DKORVX_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$(nproc)")
