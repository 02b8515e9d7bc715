#!/usr/bin/env bash
# Sets up the machine, builds the terminal demonstration program and runs it
# in its window: natively, or with --windows the Windows build under wine.
# Without a display of its own it starts one (Xvfb) and prints its number.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
root=${TAVREL_BUILD_ROOT:-$top/build}
"$top/scripts/setup.sh"

if [ "${1:-}" = --windows ]; then
  dir=$root/windows
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$dir" --target termdemo
  program=("$top/cmake/wine-run.sh" "$dir/termdemo.exe")
  export WINEPREFIX=$dir/wineprefix WINEDEBUG=-all
  [ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w || true; }
  # Wine has no Lucida Console: a monospace face of the system stands in.
  "$top/cmake/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' \
    /d 'DejaVu Sans Mono' /f >/dev/null 2>&1 || true
else
  dir=$root/native
  cmake -S "$top" -B "$dir" -G Ninja >/dev/null
  cmake --build "$dir" --target termdemo
  program=("$dir/termdemo")
fi

if [ -z "${DISPLAY:-}" ]; then
  display=${TAVREL_DISPLAY:-90}
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=":$display"
  sleep 1
  echo "demo: no display, started Xvfb on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
fi
"${program[@]}"
