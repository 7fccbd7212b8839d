#!/bin/bash
# Runs the Windows test driver under Wine with the run's display, prefix and locale (tools/test.sh sets them
# up), then, for a journey with real ffmpeg, checks the files it left with Debian's ffprobe and ffmpeg.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=""
if [ "${1:-}" = "--check" ]; then check=$2; shift 2; fi

: "${WINEPREFIX:?run through tools/test.sh, which prepares Xvfb and the Wine prefix}"
: "${DISPLAY:?no display}"
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TORVANE_REAL_FFMPEG="$TORVANE_BUILD/cache/ffmpeg"
export TORVANE_FIXTURES="$TORVANE_BUILD/fixtures"

wine "$TORVANE_DRIVER" "$@"
if [ -n "$check" ]; then
  "$here/check_${check}.sh" "$WINEPREFIX/drive_c/tt" "$TORVANE_FIXTURES"
fi
