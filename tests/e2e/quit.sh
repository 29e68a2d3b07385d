#!/usr/bin/env bash
# Esc on the high-score window before the first run is its quit button: the program ends at once
# and cleanly.
set -u
program=$1
. "$(dirname "$0")/xvfb_session.sh"
start_display

"$program" &
program_pid=$!
scores=$(find_window '^High Scores$') || fail "no high-score window before the first run"
xdotool windowfocus --sync "$scores" key Escape
for _ in $(seq 30); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program goes on after Esc on the high scores"
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "ok"
