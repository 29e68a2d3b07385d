#!/usr/bin/env bash
# A run pauses when another program's window takes the keyboard: with a shell in flight, the
# playfield stands still behind it, and still when the game has the keyboard back; leaving it
# again, already paused, does not set it going; P goes on, as after any pause. (That the game's
# own windows do not pause it, the cheat panel shows in cheats.sh.)
set -u
program=$1
. "$(dirname "$0")/xvfb_session.sh"
start_display

start_run "$program"
xmessage -geometry +820+40 "another program" 2>/dev/null &
other_pid=$!
other=$(find_window '^xmessage$') || fail "no other program's window"
xdotool windowfocus --sync "$window"
sleep 1

shot() {
  import -window "$window" "$work/$1.png" || fail "no screenshot"
}

# alike A B: the two screenshots are the same to the pixel.
alike() {
  [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d ' ' -f 1)" = 0 ]
}

# A standard shell flies up and falls back for about three seconds.
xdotool key b
xdotool windowfocus --sync "$other"
# Qt waits a moment before it calls the program inactive: two shots alike within 2 s, then 2 s more.
shot away1
still=""
for _ in $(seq 6); do
  sleep 0.3
  shot away2
  alike away1 away2 && { still=yes; break; }
  mv "$work/away2.png" "$work/away1.png"
done
[ -n "$still" ] || fail "the run went on behind another program's window"
sleep 2
shot away2
alike away1 away2 || fail "the run went on 2 s behind another program's window"

xdotool windowfocus --sync "$window"
sleep 0.5
shot back
alike away2 back || fail "the run went on when the game had the keyboard back"
xdotool windowfocus --sync "$other"
sleep 2.5
xdotool windowfocus --sync "$window"
sleep 0.5
shot back2
alike back back2 || fail "leaving a paused run set it going"
xdotool key p keydown Left
sleep 0.3
xdotool keyup Left
shot again
alike back2 again && fail "P did not go on after the pause"

kill "$other_pid" 2>/dev/null
echo "ok"
