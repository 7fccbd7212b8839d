#!/bin/bash
# Installs what is missing, builds both builds, runs the unit tests natively and the end-to-end tests under
# Wine, and ends with ctest's summary.
set -uo pipefail
. "$(dirname "$0")/setup.sh"
set -e
ensure_packages
build_native
build_windows
fetch_ffmpeg
make_fixtures
set +e

echo "== unit tests"
(cd "$torvane_build/native" && ctest --output-on-failure)
unit=$?

start_display
trap stop_display EXIT
start_wine
echo "== end-to-end tests"
(cd "$torvane_build/win64" && ctest --output-on-failure)
e2e=$?

[ $unit -eq 0 ] && [ $e2e -eq 0 ]
