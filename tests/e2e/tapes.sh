#!/usr/bin/env bash
# A real run's tape. A gunner who shoots parachutes plays a run with real keys until it has a score,
# then spends his points, which lets the run race on unpaced to its end (another run if he scored
# nothing). The high-score window takes the run: `flakmire --verify` on the tape kept beside its
# place, with no display at all, proves the score that the window named; watching it from the
# table (a double click on its row) shows the run in the main window, a key ends it, the table is
# back, and every file is as it was.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb_session.sh"
start_display

# A program folder of its own, where the files go.
bin="$work/bin"
mkdir "$bin"
cp "$program" "$(dirname "$program")/dropling.mid" "$(dirname "$program")/WebHighScoreInfo.html" "$bin/"
"$bin/flakmire" &
program_pid=$!
window=$(find_window '^Flakmire  Level: 1$') || fail "no main window"
xdotool windowfocus --sync "$window" key Escape
scores=$(find_window '^High Scores$') || fail "no high-score window"

# play_a_run: from the table, a run to its end. Out of points, the run races on to its end.
# Prints the name prompt's window when the run took a place.
play_a_run() {
  xdotool windowfocus --sync "$scores" key Return
  sleep 0.5
  xdotool windowfocus --sync "$window"
  python3 "$here/gunner.py" "$window" 90 >&2
  for _ in $(seq 300); do
    xwininfo -id "$scores" | grep -q IsViewable && break
    xdotool key --delay 30 b b b b b b b b b b
  done
  # The table is up; the name prompt comes a moment later, when the run took a place.
  for _ in $(seq 30); do
    xdotool search --name '^High Score: ' 2>/dev/null | head -n 1 | grep . && return 0
    sleep 0.1
  done
  return 1
}
prompt=""
for _ in 1 2 3; do
  prompt=$(play_a_run) && break
done
[ -n "$prompt" ] || fail "three runs took no place in the table: the gunner scored nothing"
score=$(xdotool getwindowname "$prompt" | sed 's/^High Score: //')
echo "the run scored $score"
xdotool windowfocus --sync "$prompt" key ctrl+a type Gunner
xdotool key Return
for _ in $(seq 50); do
  [ -s "$bin/Place1.tape" ] && [ -s "$bin/LastRun.tape" ] && break
  sleep 0.1
done
[ -s "$bin/Place1.tape" ] || fail "no tape beside the first place"
cmp -s "$bin/Place1.tape" "$bin/LastRun.tape" || fail "the last run's tape is another"

# The proof needs no display.
proof=$(env -u DISPLAY "$bin/flakmire" --verify "$bin/Place1.tape") || fail "the tape proves nothing: $proof"
echo "$proof"
echo "$proof" | grep -q "^Score:      $score  *as claimed$" || fail "the proof's score is not $score"
head -c 100 "$bin/Place1.tape" >"$work/cut.tape"
env -u DISPLAY "$bin/flakmire" --verify "$work/cut.tape" 2>/dev/null
[ $? -eq 2 ] || fail "a cut tape is not refused with status 2"

# Watching the first place's run: the table goes, the main window says it shows a tape.
files_before=$(cd "$bin" && md5sum -- *)
xdotool mousemove --window "$scores" 35 47 click --repeat 2 --delay 100 1
watching=""
for _ in $(seq 50); do
  xdotool getwindowname "$window" | grep -q '(a tape: any key stops it)$' && { watching=yes; break; }
  sleep 0.1
done
[ -n "$watching" ] || fail "a double click on the first place shows no tape"
xwininfo -id "$scores" | grep -q IsUnMapped || fail "the table stays while the tape plays"
# The run's first moments may stand still; within ten seconds something moves.
import -window "$window" "$work/watch1.png" || fail "no screenshot"
moved=""
for _ in $(seq 20); do
  sleep 0.5
  import -window "$window" "$work/watch2.png" || fail "no screenshot"
  [ "$(compare -metric AE "$work/watch1.png" "$work/watch2.png" null: 2>&1 | cut -d ' ' -f 1)" != 0 ] &&
    { moved=yes; break; }
done
[ -n "$moved" ] || fail "the tape's run does not move"
expect_pixel "$work/watch2.png" 200 520 "0,192,0" "the watched run's ground"
xdotool windowfocus --sync "$window" key space
wait_shown "$scores" || fail "a key does not end the watching"
xdotool getwindowname "$window" | grep -q 'a tape' && fail "the caption still tells of a tape"
[ "$(cd "$bin" && md5sum -- *)" = "$files_before" ] || fail "watching changed the files"

xdotool windowfocus --sync "$scores" key Escape
expect_clean_exit "Esc on the high scores"
echo "ok"
