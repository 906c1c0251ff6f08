#!/usr/bin/env bash
# Builds the program and runs it with the bundled player database.
# Arguments are passed to quorvel-sim (for example --seed 7 --left England --right Australia).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${CORE_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cd build
./quorvel-players check players.dat
# A whole match between two predefined elevens, played headless (a seed fixes the match).
./quorvel-sim "$@"
