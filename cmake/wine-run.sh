#!/bin/sh
# Runs a Windows executable under wine with a prefix of the build's own
# (WINEPREFIX may be set by the caller; scripts/test.sh creates it once).
: "${WINEPREFIX:=$PWD/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
if command -v wine64 >/dev/null 2>&1; then exec wine64 "$@"; fi
exec wine "$@"
