#!/usr/bin/env bash
# The tune generator meets a mistake in the notes: it names the file and the line, exits 1 and
# writes no MIDI file. Usage: make_tune_errors.sh MAKE_TUNE
set -u
make_tune=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
# A bar on line 4 of a tune, and what must be said of it.
check() {
  printf 'track lead channel 1\ntrack bass channel 2\nsection a\n%s\nplay a\n' "$1" >"$dir/in.tune"
  "$make_tune" "$dir/in.tune" "$dir/out.mid" 2>"$dir/said"
  local exit=$?
  if [ "$exit" -ne 1 ] || [ -e "$dir/out.mid" ] || ! grep -qF "$dir/in.tune:$2" "$dir/said"; then
    echo "FAILED on '$1': exit $exit, $( [ -e "$dir/out.mid" ] && echo "a MIDI file written, ")said:"
    cat "$dir/said"
    status=1
  fi
  rm -f "$dir/out.mid"
}
check 'lead | H4/1 |' "4: error: unknown note 'H4'"
check 'lead | C4/4 C4/4 C4/4 |' '4: error: bar 1 on this line lasts 3 quarter notes instead of 4'
check 'drum | C4/1 |' "4: error: 'drum' is not a track"
exit $status
