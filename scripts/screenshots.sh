#!/usr/bin/env bash
# Takes pictures under a virtual display and puts them into docs/screenshots/:
#   dialogs  the set-up and browser dialogs;
#   game     the main window (before a match, during the first innings, at the result), its
#            scoresheet and log windows, the charts of a seeded match and the table and
#            leaders of a seeded tournament.
# Usage: scripts/screenshots.sh dialogs|game [build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
case "${1:-}" in
dialogs) filter='DialogScreenshots.*' ;;
game) filter='GameScreenshots.*' ;;
*)
    echo "usage: scripts/screenshots.sh dialogs|game [build folder]" >&2
    exit 2
    ;;
esac
build="${2:-$root/build-screenshots}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target gui_tests
mkdir -p "$root/docs/screenshots"
export QUORVEL_SCREENSHOT_DIR="$root/docs/screenshots" NO_AT_BRIDGE=1 GDK_BACKEND=x11
# Always a fresh virtual screen, so no other window shows in the pictures.
xvfb-run -a -s '-screen 0 1280x1024x24' "$build/tests/gui_tests" --gtest_filter="$filter"
ls -1 "$root/docs/screenshots"
