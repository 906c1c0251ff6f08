#!/usr/bin/env bash
# Runs a GUI test program on the current display, or on a virtual one when there is none. The
# virtual display gets a window manager (openbox, when installed): keyboard focus and the active
# window need one, and the tests that depend on them skip themselves where none runs.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
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
        "$@"
        status=$?
        kill "$manager" 2>/dev/null
        wait "$manager" 2>/dev/null
        exit "$status"
    fi
    exec "$@"
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s '-screen 0 1600x1200x24' "$0" --with-window-manager "$@"
