#!/usr/bin/env bash
# Builds the program and runs it with the bundled player database.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${CORE_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cd build
./quorvel-players check players.dat
