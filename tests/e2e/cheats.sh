#!/usr/bin/env bash
# The cheat word typed into the real window during play opens the panel titled "Cheats"; a click
# on its Rapid Fire box and the window manager's close button put it away, and from then on a
# held B keeps firing: one shell for a short hold before, several after. The panel, one of the
# game's own windows, leaves the run going, unpaused.
set -u
program=$1
close_window=$2
. "$(dirname "$0")/xvfb_session.sh"
start_display

start_run "$program"
sleep 1

# shells NAME: holds B for 0.15 s (less than a key's repeat delay, and too short
# for Rapid Fire to spend all 9 points: at 0 the game would run unpaced), then counts the shells
# in flight straight above the upright barrel: the runs of their grey along x 396, from the
# muzzle up to where helicopters fly.
shells() {
  xdotool windowfocus --sync "$window" keydown b
  sleep 0.15
  xdotool keyup b
  import -window "$window" "$work/$1.png" || fail "no screenshot"
  convert "$work/$1.png" -crop 1x180+396+215 +repage txt:- |
    awk '/^[0-9]/ { grey = ($0 ~ /#C0C0C0/); if (grey && !was) runs++; was = grey } END { print runs + 0 }'
}

before=$(shells before)
[ "$before" -eq 1 ] || fail "a short hold of B fired $before shells before the panel, not 1"
# That shell flies up and falls back for 330 frames (5.2 s); let it go before the next count.
sleep 5.5

xdotool windowfocus --sync "$window" type --delay 30 showmetricks
panel=$(find_window '^Cheats$') || fail "the cheat word opened no window titled 'Cheats'"
# Rapid Fire, the last of the seven boxes: left 48, top 120 + 6 x 32, 178 x 24.
xdotool mousemove --window "$panel" 60 324 click 1
sleep 0.3
import -window "$panel" "$work/panel.png" || fail "no screenshot of the panel"
"$close_window" "$panel"
wait_shown "$panel" no || fail "the close button left the panel up"

after=$(shells after)
[ "$after" -ge 2 ] || fail "with Rapid Fire a short hold of B fired $after shells, not a stream"
kill -0 "$program_pid" 2>/dev/null || fail "the program died"
"$close_window" "$window"
expect_clean_exit "its window was closed"
echo "ok: $before shell before, $after with Rapid Fire"
