#!/bin/bash
# Installs what is missing, builds Torvane and starts it under Wine. Without a display it starts Xvfb, waits
# for the main window and saves a screenshot to build/torvane.png.
set -euo pipefail
. "$(dirname "$0")/setup.sh"
ensure_packages
build_windows
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$torvane_build/wineprefix-run
mkdir -p "$torvane_build/app"
cp "$torvane_build/win64/torvane.exe" "$torvane_build/app/"
if [ -n "${DISPLAY:-}" ]; then
  [ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  exec wine "$torvane_build/app/torvane.exe"
fi
start_display
trap stop_display EXIT
[ -d "$WINEPREFIX" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
wine "$torvane_build/app/torvane.exe" &
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Torvane"' && break
  sleep 0.2
done
sleep 1
import -window root -crop 508x539+386+242 +repage "$torvane_build/torvane.png"
echo "Torvane is running headless; its window is in build/torvane.png"
