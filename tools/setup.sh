#!/bin/bash
# Shared by run.sh, test.sh and bench.sh: installs what is missing (Debian packages only) and prepares the
# display and the Wine prefix.

torvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
torvane_build=$torvane_root/build

torvane_packages=(cmake make g++ googletest libgtest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils locales fonts-wqy-microhei ffmpeg imagemagick)

ensure_packages() {
  local missing=()
  for p in "${torvane_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  # npm may come with a Node.js installed from elsewhere; Debian's package only when there is none.
  command -v npm >/dev/null || missing+=(npm)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
}

build_windows() {
  cmake -S "$torvane_root" -B "$torvane_build/win64" -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$torvane_root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$torvane_build/win64" -j"$(nproc)"
}

build_native() {
  cmake -S "$torvane_root" -B "$torvane_build/native" -DCMAKE_BUILD_TYPE=Release -DTORVANE_WERROR=ON >/dev/null
  cmake --build "$torvane_build/native" -j"$(nproc)"
}

# The Windows ffmpeg 4.1 from the npm registry, kept in the build folder.
fetch_ffmpeg() {
  local cache=$torvane_build/win64/cache
  if [ ! -f "$cache/ffmpeg/ffmpeg.exe" ]; then
    mkdir -p "$cache/npm" "$cache/ffmpeg"
    (cd "$cache/npm" && npm pack --silent @ffmpeg-installer/win32-x64@4.1.0 >/dev/null &&
      tar xzf ffmpeg-installer-win32-x64-4.1.0.tgz && cp package/ffmpeg.exe "$cache/ffmpeg/ffmpeg.exe")
  fi
}

# Test videos made with Debian's ffmpeg: H.264 with a keyframe every 2 s, and AAC.
make_fixtures() {
  local dir=$torvane_build/win64/fixtures
  mkdir -p "$dir"
  if [ ! -f "$dir/clip.mp4" ]; then
    ffmpeg -v error -y -f lavfi -i testsrc=duration=20:size=320x240:rate=25 -f lavfi -i sine=frequency=440:duration=20 \
      -c:v libx264 -g 50 -keyint_min 50 -sc_threshold 0 -pix_fmt yuv420p -c:a aac -b:a 64k -shortest "$dir/clip.mp4"
  fi
}

# Xvfb on a free display, and a private Wine prefix under the build folder, made anew. The display must
# exist before the prefix's first Wine process, or every later window fails.
start_display() {
  export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  torvane_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

start_wine() {
  export WINEPREFIX=$torvane_build/wineprefix
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without a window manager Wine draws the frames and title bars itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
}

stop_display() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${torvane_xvfb:-}" ] && kill "$torvane_xvfb" 2>/dev/null || true
}
