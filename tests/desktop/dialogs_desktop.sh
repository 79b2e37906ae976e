#!/bin/bash
# The dialog commands on the desktop, run under a virtual X server (xvfb-run): a person's
# part is played with xdotool on the native dialogs of dialogs_program, whose printed
# results are then checked. A screenshot of each dialog is left for people to look at.
#   dialogs_desktop.sh save|folder|message|fatal <dialogs_program> <output directory>
set -u
scenario=$1
program=$(realpath "$2")
out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  echo "--- program output:"; cat "$work/stdout" 2>/dev/null
  exit 1
}

# The visible window whose title is exactly $1, waited for up to thirty seconds.
wait_window() {
  local w
  for _ in $(seq 1 300); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to thirty seconds for the window $1 to go from the screen.
wait_gone() {
  for _ in $(seq 1 300); do
    xdotool getwindowgeometry "$1" >/dev/null 2>&1 || return 0
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  fail "window $1 is still shown"
}

# Types the text into the focused dialog and gives the toolkit a moment to take it in
# (characters beyond the keyboard map come through remapped keys).
type_text() {
  xdotool type --delay 50 "$1"
  sleep 0.5
}

# Focuses the dialog, waits until it has painted, keeps a screenshot.
look_at() {
  xdotool windowfocus --sync "$1" || fail "cannot focus window $1"
  sleep 0.5
  /usr/bin/import -window root "$out/dialogs_$2.png" || fail "no screenshot"
}

# The program's exit code, waited for up to thirty seconds.
wait_exit() {
  for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program is still running"
  wait "$pid"
  status=$?
  pid=
}

expect_output() {
  diff <(printf '%s\n' "$@") "$work/stdout" >/dev/null ||
    fail "expected output: $(printf '%s; ' "$@")"
}

case $scenario in
  save)
    dir="$work/图片"
    mkdir "$dir"
    "$program" save "$dir" >"$work/stdout" 2>/dev/null &
    pid=$!
    w=$(wait_window "图片保存") || fail "no save dialog"
    look_at "$w" save
    type_text "条码1"
    xdotool key Return
    wait_gone "$w"
    w=$(wait_window "图片保存") || fail "no second save dialog"
    xdotool windowfocus --sync "$w"
    xdotool key Escape
    wait_exit
    [ "$status" -eq 0 ] || fail "exit code $status"
    # The name without extension gets the shown filter's; cancelling keeps it.
    expect_output "result=1" "FileName=$dir/条码1.png" "result=0" "FileName=$dir/条码1.png"
    ;;
  folder)
    dir="$work/输出"
    mkdir "$dir"
    "$program" folder >"$work/stdout" 2>/dev/null &
    pid=$!
    w=$(wait_window "请选择目录") || fail "no folder chooser"
    xdotool windowfocus --sync "$w"
    type_text "$dir/"
    look_at "$w" folder
    xdotool key Return
    wait_exit
    [ "$status" -eq 0 ] || fail "exit code $status"
    expect_output "folder=$dir"
    ;;
  message)
    "$program" message >"$work/stdout" 2>/dev/null &
    pid=$!
    w=$(wait_window "信息：") || fail "no box captioned 信息："
    look_at "$w" message
    xdotool key Return
    wait_gone "$w"
    w=$(wait_window "请确认") || fail "no box captioned 请确认"
    look_at "$w" question
    xdotool key Return
    wait_gone "$w"
    w=$(wait_window "请确认") || fail "no second box captioned 请确认"
    xdotool windowfocus --sync "$w"
    xdotool key Escape
    wait_exit
    [ "$status" -eq 0 ] || fail "exit code $status"
    # OK is 0, Yes 5; a Yes/No box closed with Esc answers No, 6.
    expect_output "answer=0" "answer=5" "answer=6"
    ;;
  shell)
    # A stand-in for the desktop's opener records its arguments and chatters on both
    # streams; the target holds what a shell would expand.
    mkdir "$work/bin"
    cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$#" "\$@" >"$work/opened.tmp" && mv "$work/opened.tmp" "$work/opened"
echo noise; echo noise >&2
SCRIPT
    chmod +x "$work/bin/xdg-open"
    target='-帮助 $(touch pwned) *.hlp'
    (cd "$work" && PATH="$work/bin:$PATH" "$program" shell "$target" >"$work/stdout" 2>"$work/stderr") &
    pid=$!
    wait_exit
    [ "$status" -eq 0 ] || fail "exit code $status"
    expect_output "result=1"
    for _ in $(seq 1 300); do [ -f "$work/opened" ] && break; sleep 0.1; done
    diff <(printf '%s\n' 1 "./$target") "$work/opened" >/dev/null ||
      fail "the opener got: $(cat "$work/opened" 2>/dev/null)"
    [ -e "$work/pwned" ] && fail "the target went through a shell"
    grep -q noise "$work/stderr" && fail "the opener's output reached the program's streams"
    ;;
  fatal)
    "$program" fatal >"$work/stdout" 2>"$work/stderr" &
    pid=$!
    w=$(wait_window "错误") || fail "no box captioned 错误"
    look_at "$w" fatal
    kill -0 "$pid" 2>/dev/null || fail "ended before the box was dismissed"
    xdotool key Return
    wait_exit
    [ "$status" -eq 255 ] || fail "exit code $status, not -1"
    grep -q "运行时出错" "$work/stderr" && fail "the report went to the terminal instead"
    ;;
  *)
    fail "unknown scenario $scenario" ;;
esac
echo "PASS"
