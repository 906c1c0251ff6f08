#!/usr/bin/env bash
# Builds the game alone (no test suites, no benchmarks) and starts it with the bundled player
# database. Arguments are passed to the game (the path of a saved match to open). On a machine
# without a display the game cannot start: one headless match is played with quorvel-sim
# instead, and the arguments go to it (for example --seed 7 --left England --right Australia).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${GAME_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF \
    >/dev/null
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    cmake --build build -j"$jobs" --target quorvel players_dat
    # The game reads players.dat from the current folder: the one built here.
    cd build
    exec ./quorvel "$@"
fi
cmake --build build -j"$jobs" --target quorvel-sim players_dat
echo "No display (DISPLAY is not set): the game needs a desktop to open its window." >&2
echo "Playing one headless match with quorvel-sim instead." >&2
# A whole match between two predefined elevens, played headless (a seed fixes the match).
cd build
exec ./quorvel-sim "$@"
