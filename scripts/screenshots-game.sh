#!/usr/bin/env bash
# Takes pictures of the game's main window (before a match, during the first innings, at the
# result) and of its scoresheet and log windows under a virtual display, into docs/screenshots/.
# Usage: scripts/screenshots-game.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-game}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target gui_tests
mkdir -p "$root/docs/screenshots"
export QUORVEL_SCREENSHOT_DIR="$root/docs/screenshots" NO_AT_BRIDGE=1 GDK_BACKEND=x11
# Always a fresh virtual screen, so no other window shows in the pictures.
xvfb-run -a -s '-screen 0 1280x1024x24' \
    "$build/tests/gui_tests" --gtest_filter='GameScreenshots.*'
ls -1 "$root/docs/screenshots" | grep '^game-'
