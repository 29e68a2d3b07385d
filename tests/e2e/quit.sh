#!/usr/bin/env bash
# Esc during the title cuts it short: the high-score window follows within moments, not after the
# title's six seconds. Esc there, before the first run, is its quit button: the program ends at
# once and cleanly.
set -u
program=$1
. "$(dirname "$0")/xvfb_session.sh"
start_display

"$program" &
program_pid=$!
window=$(find_window '^Flakmire  Level: 1$') || fail "no main window"
sleep 1
xdotool windowfocus --sync "$window" key Escape
scores=""
for _ in $(seq 25); do
  scores=$(xdotool search --onlyvisible --name '^High Scores$' 2>/dev/null | head -n 1)
  [ -n "$scores" ] && break
  sleep 0.1
done
[ -n "$scores" ] || fail "no high-score window 2.5 s after Esc on the title"
xdotool windowfocus --sync "$scores" key Escape
expect_clean_exit "Esc on the high scores"
echo "ok"
