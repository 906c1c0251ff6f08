#!/usr/bin/env bash
# Plays an over of the game as a screen reader user would and checks what the accessibility tree
# (AT-SPI) tells: tests/gui/accessibility_tree.py drives the game through the tree alone. The
# game runs on a virtual display with a window manager, on its own session bus with the
# accessibility bus started on it, in a scratch folder (players.dat copied in, settings kept
# there). Exits 77 (skipped) only where the accessibility bus cannot start.
# Usage: run-accessibility-tree.sh GAME PLAYERS_DAT
set -u
here=$(cd "$(dirname "$0")" && pwd)
skip() {
    echo "SKIPPED: $*"
    exit 77
}

if [ "${1:-}" = "--inside-session" ]; then
    shift
    game=$1 players=$2 scratch=$3
    export GDK_BACKEND=x11 HOME="$scratch" XDG_CONFIG_HOME="$scratch/config"
    unset NO_AT_BRIDGE GTK_A11Y
    openbox --sm-disable >/dev/null 2>&1 &
    manager=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    sleep 1
    cp "$players" "$scratch/players.dat"
    (cd "$scratch" && exec "$game" >"$scratch/game.out" 2>"$scratch/game.err") &
    gameProcess=$!
    /usr/bin/python3 "$here/accessibility_tree.py"
    status=$?
    kill "$gameProcess" 2>/dev/null
    wait "$gameProcess" 2>/dev/null
    kill "$bus" "$manager" 2>/dev/null
    wait "$bus" "$manager" 2>/dev/null
    # The game writes nothing to standard output, and the toolkit never complains.
    if [ -s "$scratch/game.out" ]; then
        echo "FAIL: the game wrote to standard output:"
        head -5 "$scratch/game.out"
        status=1
    fi
    if [ "$status" -ne 0 ] && [ -s "$scratch/game.err" ]; then
        echo "The game's standard error:"
        tail -20 "$scratch/game.err"
    fi
    if grep -E 'Gtk-(CRITICAL|WARNING)' "$scratch/game.err"; then
        echo "FAIL: the toolkit complained"
        status=1
    fi
    exit "$status"
fi

game=$(realpath "${1:?usage: run-accessibility-tree.sh GAME PLAYERS_DAT}")
players=$(realpath "${2:?usage: run-accessibility-tree.sh GAME PLAYERS_DAT}")
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb is not installed"
command -v openbox >/dev/null 2>&1 || skip "openbox is not installed"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
xvfb-run -a -s '-screen 0 1600x1200x24' \
    dbus-run-session -- "$0" --inside-session "$game" "$players" "$scratch"
