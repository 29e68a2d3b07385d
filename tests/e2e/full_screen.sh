#!/usr/bin/env bash
# F11 on a 1920 x 1200 screen: the playfield fills it at the largest whole scale that fits, 2,
# centred on black, and what moves is repainted at that scale (the barrel turned away leaves sky
# behind). Esc, or F11 again: the window is back at its own size and place.
set -u
program=$1
screen_size=1920x1200
. "$(dirname "$0")/xvfb_session.sh"
start_display

start_run "$program"
xdotool windowmove --sync "$window" 100 80
sleep 1

place() {
  xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }'
}
[ "$(place)" = "794x534+100+80" ] || fail "the window starts at $(place)"
xdotool windowfocus --sync "$window" key F11
sleep 1
[ "$(place)" = "1920x1200+0+0" ] || fail "full screen is $(place), not the whole screen"

# Scale 2: the playfield is 1588 x 1068 from (166, 66). Its pixel (x, y) is at 166 + 2x, 66 + 2y.
# The edges are looked at 300 down, below every aircraft's lane, where only a trooper may pass.
import -window root "$work/full.png" || fail "no screenshot"
expect_pixel "$work/full.png" 960 600 "125,158,244" "sky at the playfield's middle"
expect_pixel "$work/full.png" 0 0 "0,0,0" "black at the screen's corner"
expect_pixel "$work/full.png" 1919 1199 "0,0,0" "black at the opposite corner"
expect_pixel "$work/full.png" 165 666 "0,0,0" "black left of the playfield"
expect_pixel "$work/full.png" 166 666 "125,158,244" "sky at the playfield's left edge"
expect_pixel "$work/full.png" 1753 666 "125,158,244" "sky at the playfield's right edge"
expect_pixel "$work/full.png" 1754 666 "0,0,0" "black right of the playfield"
expect_pixel "$work/full.png" 566 1106 "0,192,0" "ground"
expect_pixel "$work/full.png" 958 876 "128,192,192" "the barrel standing up"

xdotool keydown Right
sleep 1.5
xdotool keyup Right
sleep 0.5
import -window root "$work/turned.png" || fail "no screenshot"
expect_pixel "$work/turned.png" 958 876 "125,158,244" "sky where the barrel stood"

# Esc leaves full screen as F11 does.
xdotool key Escape
sleep 1
[ "$(place)" = "794x534+100+80" ] || fail "after full screen the window is $(place)"
xdotool key F11 && sleep 1 && xdotool key F11 && sleep 1
[ "$(place)" = "794x534+100+80" ] || fail "after F11 twice the window is $(place)"
echo "ok"
