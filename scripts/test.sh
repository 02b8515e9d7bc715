#!/usr/bin/env bash
# Sets up the machine, builds every target and runs every suite:
#   native (warnings as errors), native under ASan+UBSan, the threaded tests
#   under TSan, and the Windows build cross-compiled with mingw-w64 and run
#   under wine.
# Build folders live under build/ (override with TAVREL_BUILD_ROOT).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
root=${TAVREL_BUILD_ROOT:-$top/build}
jobs=${TAVREL_JOBS:-$(nproc)}

"$top/scripts/setup.sh"

status=0
run_suite() {
  local name=$1; shift
  local dir=$root/$name
  echo "=== $name: configure and build"
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREL_WERROR=ON "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs" || return 1
  if [ "$name" = windows ]; then
    export WINEPREFIX=$dir/wineprefix WINEDEBUG=-all
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "=== $name: creating the wine prefix"
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
    fi
  fi
  echo "=== $name: tests"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 900)
}

# The threaded tests under ThreadSanitizer: only these targets are built.
tsan_tests="test_terminal_threads"
run_tsan_suite() {
  local dir=$root/tsan
  echo "=== tsan: configure and build"
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREL_WERROR=ON -DTAVREL_TSAN=ON \
    >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs" --target $tsan_tests || return 1
  echo "=== tsan: tests"
  local test failed=0
  for test in $tsan_tests; do
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$dir/tests/$test" || failed=1
  done
  return $failed
}

mkdir -p "$root"
run_suite native || status=1
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite sanitize -DTAVREL_SANITIZE=ON || status=1
run_tsan_suite || status=1
run_suite windows -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" || status=1

if [ $status -ne 0 ]; then echo "=== some suites failed"; fi
exit $status
