#!/usr/bin/env bash
# Starts an installed game on the current display as a new user would, from a folder without
# players.dat: it must play from the user's folder with a copy of the installed database, under
# its own process name, keep its settings under $XDG_CONFIG_HOME/quorvel (begun from an earlier
# ~/.Quorvel), and, with no database anywhere, say so in a message box instead of starting with
# empty lists. Usage: check-started-game.sh PREFIX SCRATCH_FOLDER
set -euo pipefail
prefix=$1
scratch=$2
game=$prefix/games/quorvel
fail() {
    echo "FAIL: $*" >&2
    [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
    exit 1
}
# The id of the first window whose title is exactly $1, waiting at most $2 tenths of a second
# (ten seconds when not given).
window() {
    local id
    for _ in $(seq "${2:-100}"); do
        id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (\"quorvel\"" | awk '{print $1}' |
            head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}
# Starts the game for the user whose home is $1, in the empty folder, and sets pid.
start() {
    mkdir -p "$1" "$scratch/nowhere"
    (cd "$scratch/nowhere" && exec env -i HOME="$1" XDG_CONFIG_HOME="$1/config" DISPLAY="$DISPLAY" \
        XAUTHORITY="${XAUTHORITY:-}" \
        PATH=/usr/bin:/bin NO_AT_BRIDGE=1 GDK_BACKEND=x11 "$game" >"$1.log" 2>&1) &
    pid=$!
}

# A new user with settings of an earlier version: the game plays from the user's folder.
home=$scratch/player
mkdir -p "$home"
printf '[Settings]\nPreviewPages=3\n' >"$home/.Quorvel"
start "$home"
main=$(window "Untitled - Quorvel") || fail "the game's main window does not open: $(cat "$home.log")"
[ "$(cat "/proc/$pid/comm")" = quorvel ] || fail "the game runs as '$(cat "/proc/$pid/comm")'"
pgrep -x quorvel | grep -qx "$pid" || fail "pgrep -x quorvel does not find the game"
[ "$(readlink "/proc/$pid/cwd")" = "$home/.local/share/quorvel" ] ||
    fail "the game plays in $(readlink "/proc/$pid/cwd")"
cmp -s "$home/.local/share/quorvel/players.dat" "$prefix/share/quorvel/players.dat" ||
    fail "the user's folder has no copy of the installed players.dat"
! window Quorvel 20 >/dev/null || fail "a message box opened although the players were found"
# File > Exit writes the settings back.
xdotool windowactivate --sync "$main" key alt+f sleep 0.3 key x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "File > Exit does not end the game"
pid=
grep -qx "PreviewPages=3" "$home/config/quorvel/quorvel.conf" ||
    fail "settings not kept in \$XDG_CONFIG_HOME/quorvel: $(ls -R "$home/config" 2>&1)"

# No database anywhere: a message box, and the game still starts.
mv "$prefix/share/quorvel/players.dat" "$scratch/players.dat.away"
start "$scratch/nobody"
window Quorvel >/dev/null || fail "no message box about the missing players"
window "Untitled - Quorvel" >/dev/null || fail "the game does not start without players"
kill "$pid"
wait "$pid" 2>/dev/null || true
mv "$scratch/players.dat.away" "$prefix/share/quorvel/players.dat"
echo "started game: ok"
