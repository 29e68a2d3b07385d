#!/usr/bin/env bash
# Starts the real program under Xvfb: its window has the right title and size, the title's first
# letter stands in its place, the high-score window comes next and Enter starts the game, the
# playfield shows sky, ground and bunker where the layout puts them, a running game sleeps between
# frames instead of spinning a core, and closing the window ends the program at once.
set -u
program=$1
close_window=$2
. "$(dirname "$0")/xvfb_session.sh"
start_display

"$program" &
program_pid=$!
window=$(find_window '^Flakmire  Level: 1$') || fail "no window titled 'Flakmire  Level: 1'"

size() {
  xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}
geometry=$(size "$window")
[ "$geometry" = "794x534" ] || fail "the window is $geometry, not 794x534"

# The title: from about 0.8 s to 3.5 s its first letter, F, stands unfolded in its box, 54 x 68 at
# left 88, top 144, stretched from a 22 x 34 picture whose top row is clear: sky just above the
# box and in its first two rows, the letter's dark outline below them, its yellow bar inside.
sleep 1.5
import -window "$window" "$work/title.png" || fail "no screenshot of the title"
expect_pixel "$work/title.png" 110 143 "125,158,244" "the sky above the title's F"
expect_pixel "$work/title.png" 110 145 "125,158,244" "the clear top of the F's picture"
expect_pixel "$work/title.png" 110 147 "27,15,10" "the top of the F's outline"
expect_pixel "$work/title.png" 110 152 "255,231,102" "the F's yellow bar"
expect_pixel "$work/title.png" 84 152 "125,158,244" "the sky left of the F"

# The high-score table comes first; Enter is its play button.
scores=$(find_window '^High Scores$') || fail "no high-score window before the first run"
geometry=$(size "$scores")
[ "$geometry" = "378x338" ] || fail "the high-score window is $geometry, not 378x338"
xdotool windowfocus --sync "$scores" key Return
wait_shown "$scores" no || fail "Enter did not close the high-score window"

sleep 1
import -window "$window" "$work/playfield.png" || fail "no screenshot"
expect_pixel "$work/playfield.png" 400 250 "125,158,244" "sky"
expect_pixel "$work/playfield.png" 200 520 "0,192,0" "ground"
expect_pixel "$work/playfield.png" 370 480 "128,192,192" "bunker"

# Measure the program's own use of the processor over five seconds of play.
hz=$(getconf CLK_TCK)
before=$(cpu_ticks "$program_pid")
sleep 5
after=$(cpu_ticks "$program_pid")
percent=$(( 100 * (after - before) / (5 * hz) ))
echo "cpu: ${percent}% of one core while the game runs"
[ "$percent" -lt 10 ] || fail "the game uses ${percent}% of a core; waiting for a frame must sleep"

kill -0 "$program_pid" 2>/dev/null || fail "the program died"

"$close_window" "$window"
expect_clean_exit "its window was closed"
echo "ok"
