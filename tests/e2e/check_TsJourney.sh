#!/bin/bash
# Checks the TS files of the TS journey with Debian's ffprobe: MPEG-TS, the MP4's streams, the same duration.
set -uo pipefail
root=$1 fixtures=$2
fail=0
mp4=$fixtures/clip.mp4
want_streams=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$mp4" | grep . | sort -u | tr '\n' ' ')
want_dur=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$mp4")
for ts in "$root/ts-journey/clip.ts" "$root/ts-journey 视频/测试 片.ts"; do
  if [ ! -f "$ts" ]; then echo "missing: $ts"; fail=1; continue; fi
  fmt=$(ffprobe -v error -show_entries format=format_name -of csv=p=0 "$ts")
  streams=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$ts" | grep . | sort -u | tr '\n' ' ')
  dur=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$ts")
  echo "$ts: $fmt, streams $streams, ${dur}s (mp4 ${want_dur}s)"
  [ "$fmt" = mpegts ] || { echo "  not MPEG-TS"; fail=1; }
  [ "$streams" = "$want_streams" ] || { echo "  streams differ from the MP4's ($want_streams)"; fail=1; }
  awk -v a="$dur" -v b="$want_dur" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.1) }' ||
    { echo "  duration off by more than 0.1 s"; fail=1; }
done
exit $fail
