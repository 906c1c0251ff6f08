#!/usr/bin/env bash
# Builds everything and runs every test: the source layout against .clang-format, the include
# graph (no circles, lower layers never include higher ones), the core and GUI
# suites with a check of the installed layout and the Debian package, a short run of each fuzz
# target (where clang is installed), then the core suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${CORE_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${ACCESSIBILITY_PACKAGES[@]}" \
    "${CHECK_PACKAGES[@]}"

# A layout fault fails the run at its end, after every test has had its say.
layout=0
bash scripts/check-format.sh || layout=1
python3 scripts/include_graph.py || layout=1

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# A short fuzzing run of every target where clang is on the machine.
if command -v clang++ >/dev/null 2>&1; then
    echo "== 30-second fuzz run of each target =="
    bash scripts/fuzz.sh 30
fi

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
    -DQUORVEL_GUI=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
exit $layout
