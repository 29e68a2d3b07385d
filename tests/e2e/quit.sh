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
expect_clean_exit "Esc on the high scores"
echo "ok"
