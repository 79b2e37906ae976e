# Steps the program's desktop tests share, sourced by each (under xvfb-run): starting the
# program and finding its main window, a person's clicks and typing through the X server,
# looking at parts of a screenshot, and the check that the program ends cleanly.

pid=

fail() {
  echo "FAIL: $*"
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

# Starts the command in the background and waits (up to thirty seconds: a loaded machine
# starts GTK slowly) for the visible window captioned Barvell, then a second for it to
# paint. Sets pid, window, the window's screen place and size MX, MY, MW, MH, and MENU,
# the height of its menu bar.
start_main_window() {
  "$@" &
  pid=$!
  window=
  for _ in $(seq 1 300); do
    window=$(xdotool search --onlyvisible --name '^Barvell$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "barvell ended before its window appeared"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no visible window named Barvell"
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  MX=$X MY=$Y MW=$WIDTH MH=$HEIGHT
  MENU=25
}

click() {  # screen x, y
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.3
}
click_client() { click $((MX + $1)) $((MY + MENU + $2)); }  # main window client x, y
type_at() {  # screen x, y, text
  click "$1" "$2"
  xdotool type --delay 20 "$3"
}

shoot() { /usr/bin/import -window root "$1" || fail "no screenshot $1"; }
crop() {  # picture, geometry -> a text fingerprint of the pixels there
  /usr/bin/convert "$1" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
# What zbarimg reads in a part of a screenshot (scaled up, so that one-pixel modules
# scan), as "SYMBOLOGY:text" lines; empty when it reads nothing.
scan_region() {  # picture, geometry
  /usr/bin/convert "$1" -crop "$2" +repage -filter point -resize 300% png:- |
    zbarimg -q - 2>/dev/null
}

# After the last window was told to close: the program ends within thirty seconds, with exit
# code 0.
expect_clean_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "still running after the last window closed"
  wait "$pid"
  local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "exit code $status"
}
