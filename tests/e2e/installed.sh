#!/usr/bin/env bash
# An installed copy passes the packager's checks: its menu entry and description validate, its
# manual page reads without a warning, and --help, --version and a wrong argument answer without a
# display. Under a prefix it may not write to and started from another folder, it plays its tune
# and opens its page from the prefix's data folder, and keeps its high scores in the player's own
# data folder.
set -u
build=$1
. "$(dirname "$0")/xvfb_session.sh"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for file in bin/flakmire share/flakmire/dropling.mid share/flakmire/WebHighScoreInfo.html \
    share/applications/org.flakmire.Flakmire.desktop \
    share/metainfo/org.flakmire.Flakmire.metainfo.xml \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/org.flakmire.Flakmire.png \
    share/man/man6/flakmire.6; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done

said=$(desktop-file-validate "$prefix/share/applications/org.flakmire.Flakmire.desktop" 2>&1) ||
  fail "desktop-file-validate: $said"
[ -z "$said" ] || fail "desktop-file-validate: $said"
# Pedantic notes are allowed; a warning or an error is not.
said=$(appstreamcli validate --no-net "$prefix/share/metainfo/org.flakmire.Flakmire.metainfo.xml" 2>&1) ||
  fail "appstreamcli: $said"
echo "$said" | grep -qE '^[WE]:' && fail "appstreamcli: $said"
said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/flakmire.6" 2>&1 >/dev/null)
[ -z "$said" ] || fail "the manual page: $said"

# answers ARGUMENT STATUS TEXT: the installed program, without a display, ends with that status
# and says that text.
answers() {
  local status=0 said
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/flakmire" "$1" 2>&1) || status=$?
  [ "$status" -eq "$2" ] || fail "flakmire $1 ended with status $status, not $2"
  echo "$said" | grep -qF "$3" || fail "flakmire $1 said: $said"
}
answers --help 0 "Usage: flakmire [options]"
answers --version 0 "Flakmire "
answers --fullscreen 1 "Unknown option 'fullscreen'"
start_display

# A player's home: a silent sound card, so that the music really loads the tune, and a browser
# that notes what it was asked to open.
export HOME=$work/home XDG_DATA_HOME=$work/home/data PATH=$work/home/bin:$PATH
mkdir -p "$HOME/bin" "$work/elsewhere"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
printf '#!/bin/sh\necho "$1" >"%s/opened"\n' "$work" >"$HOME/bin/xdg-open"
chmod +x "$HOME/bin/xdg-open"

# Read-only: root writes through permissions, so it gets a read-only mount of its own.
run='exec "$0/bin/flakmire"'
if [ "$(id -u)" -eq 0 ]; then
  unshare -m true 2>/dev/null || { echo "skipped: root without a mount namespace"; exit 77; }
  run="mount --bind \"\$0\" \"\$0\" && mount -o remount,bind,ro \"\$0\" && $run"
  wrap=(unshare -m)
else
  chmod -R a-w "$prefix"
  trap 'chmod -R u+w "$prefix"; cleanup' EXIT
  wrap=()
fi
cd "$work/elsewhere"
strace -f -qq -e trace=openat,mkdir,statx,newfstatat,stat -o "$work/calls" \
  "${wrap[@]}" sh -c "$run" "$prefix" &
program_pid=$!

scores=$(find_window '^High Scores$') || fail "no high-score window"
xdotool windowfocus --sync "$scores" key alt+h
for _ in $(seq 50); do
  [ -s "$work/opened" ] && break
  sleep 0.1
done
opened=$(cat "$work/opened" 2>/dev/null)
[ "$opened" = "file://$prefix/share/flakmire/WebHighScoreInfo.html" ] ||
  fail "the web button opened '$opened'"
grep -q "\"$prefix/share/flakmire/dropling.mid\", O_RDONLY) = [0-9]" "$work/calls" ||
  fail "the tune was not opened from the data folder"
grep -q "\"$XDG_DATA_HOME/Flakmire/HighScores.dat\"" "$work/calls" ||
  fail "the high scores are not looked for in the player's data folder"
[ -d "$XDG_DATA_HOME/Flakmire" ] || fail "no folder for the high scores"
echo "ok"
