#!/bin/sh
# Runs a test program on a virtual X server, or skips it (77) where none starts.
xvfb-run -a true >/dev/null 2>&1 || { echo "no virtual X server starts here"; exit 77; }
exec xvfb-run -a "$@"
