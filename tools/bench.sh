#!/bin/bash
# Builds what the benchmarks need and prints their figures, one a line, each starting with its name.
set -euo pipefail
. "$(dirname "$0")/setup.sh"
ensure_packages
build_windows >/dev/null
win=$torvane_build/win64
exe=$win/torvane.exe
echo "P5 $(stat -c %s "$exe") $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort | paste -sd, -)"
start_display
trap stop_display EXIT
start_wine
export TORVANE_EXE=$exe TORVANE_FAKE_FFMPEG=$win/tests/e2e/fake_ffmpeg.exe
wine "$win/bench/torvane_bench.exe" "$(winepath -w "$win/bench/bare_window.exe" 2>/dev/null)"
