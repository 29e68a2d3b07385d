#!/usr/bin/env bash
# On a screen scaled by 2 the window is twice as large and the pixel art stays sharp: a jet is
# the unscaled jet with every pixel made a 2 x 2 block, not one smoothed colour more.
set -u
showcase=$1
screen_size=1800x1200
. "$(dirname "$0")/xvfb_session.sh"
start_display

# shoot SCALE: the busy sky's held frame at that scale, as $work/SCALE.png.
shoot() {
  env QT_SCALE_FACTOR="$1" "$showcase" busy-sky >"$work/out.txt" &
  program_pid=$!
  local window
  window=$(find_window '^Flakmire  ') || fail "no showcase window at scale $1"
  for _ in $(seq 100); do grep -q holding "$work/out.txt" && break; sleep 0.1; done
  grep -q holding "$work/out.txt" || fail "the scene was not held at scale $1"
  sleep 0.5
  import -window "$window" "$work/$1.png" || fail "no screenshot at scale $1"
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null
  program_pid=""
}
shoot 1
shoot 2
size=$(identify -format %wx%h "$work/2.png")
[ "$size" = "1588x1068" ] || fail "the window at scale 2 is $size, not 1588x1068"

# A jet and its bomb in the top left corner, clear of anything drawn smooth.
convert "$work/1.png" -crop 130x45+0+0 -scale 200% "$work/expected.png"
convert "$work/2.png" -crop 260x90+0+0 "$work/scaled.png"
differ=$(compare -metric AE "$work/expected.png" "$work/scaled.png" null: 2>&1)
[ "$differ" = "0" ] || fail "$differ pixels of the jet differ from a sharp doubling"
echo "ok"
