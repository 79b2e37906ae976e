#!/bin/bash
# Desktop check of the program itself, run under a virtual X server (xvfb-run): `barvell`
# opens its main window, the window shows something (a screenshot with many colours),
# Esc closes it and the program ends with exit code 0. The screenshot is left for people
# to look at.
#   barvell_main_window.sh <barvell> <screenshot.png>
set -u
program=$1
shot=$2

. "$(dirname "$0")/desktop_lib.sh"
start_main_window "$program"

shoot "$shot"
echo "main window $window at ${MX},${MY} size ${MW}x${MH}"
colours=$(/usr/bin/convert "$shot" -crop "${MW}x${MH}+${MX}+${MY}" +repage -format %k info:)
echo "colours in the window: $colours"
[ "${colours:-0}" -ge 16 ] || fail "the window looks blank ($colours colours)"

# Esc closes the main window, which ends the program.
xdotool key Escape
expect_clean_exit
echo "PASS"
