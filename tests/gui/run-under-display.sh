#!/usr/bin/env bash
# Runs a GUI test program on the current display, or on a virtual one when there is none. The
# virtual display gets a window manager (openbox, when installed): keyboard focus and the active
# window need one, and the tests that depend on them skip themselves where none runs.
# The run fails when the toolkit complained on standard error (a Gtk-CRITICAL or Gtk-WARNING
# line), even if every test passed: such a line means a window misused the toolkit.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11

# Runs the program with its standard error kept and shown; fails on a toolkit complaint.
run_checked() {
    local errors status
    errors=$(mktemp)
    "$@" 2>"$errors"
    status=$?
    cat "$errors" >&2
    if grep -q -E 'Gtk-(CRITICAL|WARNING)' "$errors"; then
        echo "The toolkit complained during the run:" >&2
        grep -E 'Gtk-(CRITICAL|WARNING)' "$errors" | sort | uniq -c >&2
        [ "$status" -eq 0 ] && status=1
    fi
    rm -f "$errors"
    return "$status"
}

if [ "${1:-}" = "--with-window-manager" ]; then
    shift
    if command -v openbox >/dev/null 2>&1; then
        openbox --sm-disable >/dev/null 2>&1 &
        manager=$!
        # Wait (at most ten seconds) until it manages the screen.
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.1
        done
        run_checked "$@"
        status=$?
        kill "$manager" 2>/dev/null
        wait "$manager" 2>/dev/null
        exit "$status"
    fi
    run_checked "$@"
    exit
fi
if [ -n "${DISPLAY:-}" ]; then
    run_checked "$@"
    exit
fi
exec xvfb-run -a -s '-screen 0 1600x1200x24' "$0" --with-window-manager "$@"
