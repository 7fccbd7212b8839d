#!/bin/bash
# Checks what the HLS journey left with Debian's tools: the playlist's form, its segments, its duration, and a
# full decode through the HLS demuxer.
set -uo pipefail
root=$1 fixtures=$2
fail=0
want_dur=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$fixtures/clip.mp4")
check() {
  local out=$1 video=$2 list=$1/playlist.m3u8
  echo "$list"
  [ -f "$list" ] || { echo "  missing"; fail=1; return; }
  [ "$(head -n1 "$list" | tr -d '\r')" = "#EXTM3U" ] || { echo "  does not start with #EXTM3U"; fail=1; }
  [ "$(grep -v '^$' "$list" | tail -n1 | tr -d '\r')" = "#EXT-X-ENDLIST" ] || { echo "  no #EXT-X-ENDLIST"; fail=1; }
  local target
  target=$(grep '^#EXT-X-TARGETDURATION:' "$list" | cut -d: -f2 | tr -d '\r')
  grep '^#EXTINF:' "$list" | cut -d: -f2 | cut -d, -f1 | while read -r d; do
    awk -v d="$d" -v t="$target" 'BEGIN { exit !(int(d + 0.5) <= t) }' || echo "  EXTINF $d over target $target"
  done | grep . && fail=1
  local n=0
  while read -r seg; do
    seg=${seg%$'\r'}
    n=$((n + 1))
    [[ "$seg" =~ ^"$video"[0-9]{3}\.ts$ ]] || { echo "  segment name $seg"; fail=1; }
    [ -f "$out/$seg" ] || { echo "  missing segment $seg"; fail=1; }
  done < <(grep -v '^#' "$list" | grep -v '^$')
  local dur
  dur=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$list")
  echo "  $n segments, target ${target}s, ${dur}s (mp4 ${want_dur}s)"
  [ "$n" -ge 2 ] || { echo "  too few segments"; fail=1; }
  awk -v a="$dur" -v b="$want_dur" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.2) }' ||
    { echo "  duration off by more than 0.2 s"; fail=1; }
  local errors
  errors=$(ffmpeg -nostdin -v error -i "$list" -map 0 -f null - 2>&1) || { echo "  decode failed"; fail=1; }
  [ -z "$errors" ] || { echo "  decode printed: $errors"; fail=1; }
}
check "$root/hls-journey-out" clip
check "$root/hls 输出 目录" "视频 名"
exit $fail
