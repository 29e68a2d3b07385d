# Shared by the end-to-end tests: a private Xvfb display for one test, torn down on exit.
# Source it, then call start_display (screen_size=WxH for a larger screen).

work=$(mktemp -d)
# Only a sanitizer build reads this.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp:print_suppressions=0"
xvfb_pid=""
program_pid=""

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Xvfb picks a free display itself and says which once it is ready: no race with other
# displays starting or stopping at the same time. Without -noreset it would reset whenever its
# last client leaves (each xdotool call), refusing the program's connection while it does.
start_display() {
  Xvfb -displayfd 3 -noreset -screen 0 "${screen_size:-1280x1024}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n 1 "$work/display")"
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb started but does not answer on $DISPLAY"
}

# find_window REGEX: prints the id of the first shown window whose title matches, waiting up to
# 40 s (a sanitizer build on a busy machine is slow to start). Only a shown window can take the
# keyboard: one that exists but is not mapped yet refuses the focus.
find_window() {
  local id
  for _ in $(seq 400); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# wait_shown WINDOW [no]: waits up to 5 s for the window to be shown, or with "no" to be gone;
# its status says whether it came to be.
wait_shown() {
  for _ in $(seq 50); do
    if xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; then
      [ "${2-}" != no ] && return 0
    elif [ "${2-}" = no ]; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# start_run PROGRAM: starts the game and, with Enter on the high-score window, its first run.
# Sets program_pid, and window to the main window's id.
start_run() {
  "$1" &
  program_pid=$!
  window=$(find_window '^Flakmire  Level: 1$') || fail "no main window"
  local scores
  scores=$(find_window '^High Scores$') || fail "no high-score window before the first run"
  xdotool windowfocus --sync "$scores" key Return
}

# pixel PNG X Y: prints the colour there as "r,g,b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

expect_pixel() {
  local got
  got=$(pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$5 at ($2, $3): expected $4, got $got"
}

# cpu_ticks PID: user + system time of the process, in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# The program must end within 3 s of $1 (what was done to it), with status 0.
expect_clean_exit() {
  for _ in $(seq 30); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program goes on after $1"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status after $1"
}
