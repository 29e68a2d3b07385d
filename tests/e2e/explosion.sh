#!/usr/bin/env bash
# The showcase's fireball and smoke burst at their widest, in the real window: 140 px across,
# white-hot yellow, the smoke at half brightness.
set -u
showcase=$1
. "$(dirname "$0")/xvfb_session.sh"
start_display

"$showcase" explosion > "$work/out.txt" &
program_pid=$!
window=$(find_window '^Flakmire  ') || fail "no showcase window"
for _ in $(seq 100); do grep -q holding "$work/out.txt" && break; sleep 0.1; done
grep -q "holding frame 152" "$work/out.txt" || fail "the scene did not reach its frame"
sleep 0.5
import -window "$window" "$work/explosion.png" || fail "no screenshot"

expect_pixel "$work/explosion.png" 250 250 "255,255,55" "the fireball's heart"
expect_pixel "$work/explosion.png" 310 250 "255,255,55" "the fireball, 60 px out"
expect_pixel "$work/explosion.png" 250 185 "255,255,55" "the fireball, 65 px up"
expect_pixel "$work/explosion.png" 330 250 "125,158,244" "the sky beyond the fireball"
expect_pixel "$work/explosion.png" 560 250 "127,127,27" "the smoke burst"
echo "ok"
