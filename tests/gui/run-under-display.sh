#!/usr/bin/env bash
# Runs a GUI test program on the current display, or on a virtual one when there is none.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s '-screen 0 1600x1200x24' "$@"
