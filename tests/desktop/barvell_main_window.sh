#!/bin/bash
# Desktop check of the program itself, run under a virtual X server (xvfb-run): `barvell`
# opens its main window, the window shows something (a screenshot with many colours),
# Esc closes it and the program ends with exit code 0. The screenshot is left for people
# to look at.
#   barvell_main_window.sh <barvell> <screenshot.png>
set -u
program=$1
shot=$2

"$program" &
pid=$!
fail() {
  echo "FAIL: $*"
  kill "$pid" 2>/dev/null
  exit 1
}

window=
for _ in $(seq 1 100); do
  window=$(xdotool search --onlyvisible --name '^Barvell$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "barvell ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no visible window named Barvell"
sleep 1  # let it paint

/usr/bin/import -window root "$shot" || fail "no screenshot"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "main window $window at ${X},${Y} size ${WIDTH}x${HEIGHT}"
colours=$(/usr/bin/convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -format %k info:)
echo "colours in the window: $colours"
[ "${colours:-0}" -ge 16 ] || fail "the window looks blank ($colours colours)"

# Esc closes the main window, which ends the program.
xdotool key Escape
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Esc"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
