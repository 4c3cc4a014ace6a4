#!/usr/bin/env bash
# Runs the real program on a virtual screen over the sample collection, as a
# user would: the entry window's first link opens the main window, a category
# caption and a row of its title grid each change the answer shown, the main
# window's close mark hides it, and the entry window's close mark ends the
# program with exit status 0.
#   smoke.sh VAROSTEL SAMPLE_MDB
# Exit status 77 (skipped) when the virtual-screen tools are missing.
set -euo pipefail
program="$(realpath "$1")"
sample=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
. "$here/xvfb.sh"

work="$(mktemp -d)"
app_pid=""
XVFB_PID=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/varostel.log" ] && { echo "--- the program's output:" >&2; cat "$work/varostel.log" >&2; }
  [ -s "$work/xvfb.log" ] && { echo "--- the virtual screen's output:" >&2; cat "$work/xvfb.log" >&2; }
  [ -d "$work/shots" ] && cp -r "$work/shots" "${SMOKE_KEEP:-/tmp}/varostel-smoke-shots" 2>/dev/null &&
    echo "screenshots kept in ${SMOKE_KEEP:-/tmp}/varostel-smoke-shots" >&2
  exit 1
}

mkdir -p "$work/data" "$work/shots" "$work/runtime"
chmod 700 "$work/runtime"
cp "$sample" "$work/data/varostel.mdb"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
suppress_display_leaks "$work"
start_xvfb "$work"

# A program that could not reach the virtual screen says nothing about the
# program: the screen is started afresh and the program given one more try.
entry=""
for attempt in 1 2; do
  (cd "$work/data" && exec "$program") >"$work/varostel.log" 2>&1 &
  app_pid=$!
  entry="$(visible_window '^Sorvanel$' "$app_pid")" && break
  grep -q "could not connect to display" "$work/varostel.log" && [ "$attempt" = 1 ] || break
  echo "the program could not reach the virtual screen $DISPLAY; starting another" >&2
  cat "$work/varostel.log" "$work/xvfb.log" >&2
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  start_xvfb "$work"
done
[ -n "$entry" ] || fail "the entry window did not appear"
window_origin "$entry"
[ "$WIDTH" = 450 ] && [ "$HEIGHT" = 479 ] || fail "the first window is ${WIDTH}x${HEIGHT}, not the entry window (an error box?)"
ex=$X ey=$Y

# The first link, Label1, in the middle of its frame.
click_at $((ex + 232)) $((ey + 371))
main="$(visible_window '^Ostravel' "$app_pid")" || fail "the first link did not show the main window"
window_origin "$main"
[ "$WIDTH" = 865 ] && [ "$HEIGHT" = 682 ] || fail "the main window is ${WIDTH}x${HEIGHT}"
mx=$X my=$Y

# The answer view, Memopa<key>, 521x201 at 32,272 of the main window.
answer="521x201+$((mx + 32))+$((my + 272))"

# wait_for_change BEFORE AFTER: shoots the answer area into AFTER until it
# differs from BEFORE, for up to five seconds.
wait_for_change() {
  local i
  for i in $(seq 50); do
    shoot "$2" "$answer"
    [ "$(pixels_differ "$1" "$2")" != 0 ] && return 0
    sleep 0.1
  done
  return 1
}

# wait_until_still FILE: shoots the answer area into FILE until two shots in
# a row agree, so a half-painted view is never the reference.
wait_until_still() {
  local i
  shoot "$1" "$answer"
  for i in $(seq 50); do
    sleep 0.1
    shoot "$work/shots/again.png" "$answer"
    [ "$(pixels_differ "$1" "$work/shots/again.png")" = 0 ] && return 0
    mv "$work/shots/again.png" "$1"
  done
  return 1
}

wait_until_still "$work/shots/answer-first.png" || fail "the answer view never settled"
# The caption of the second category, Label3, at 686,147 (104x18).
click_at $((mx + 738)) $((my + 156))
wait_for_change "$work/shots/answer-first.png" "$work/shots/answer-category.png" ||
  fail "choosing the second category did not change the answer shown"
wait_until_still "$work/shots/answer-category.png" || fail "the answer view never settled"

# A row of the title grid, DB<key> at 656,456 (169x211): well below the
# title row and the first record, which is the current one.
click_at $((mx + 740)) $((my + 456 + 100))
wait_for_change "$work/shots/answer-category.png" "$work/shots/answer-row.png" ||
  fail "clicking a row of the title grid did not change the answer shown"

# The main window's close area, Shape2 at 826,15, only hides it.
click_at $((mx + 834)) $((my + 23))
for i in $(seq 50); do
  xdotool search --onlyvisible --name '^Ostravel' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Ostravel' >/dev/null 2>&1 && fail "the main window's close mark did not hide it"
kill -0 "$app_pid" 2>/dev/null || fail "closing the main window ended the program"

# The entry window's close area, Shape3 at 416,10 (17x17).
click_at $((ex + 424)) $((ey + 18))
status=""
for i in $(seq 100); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    status=0
    wait "$app_pid" || status=$?
    break
  fi
  sleep 0.1
done
app_pid_done=$app_pid
app_pid=""
[ -n "$status" ] || { app_pid=$app_pid_done; fail "the entry window's close mark did not end the program"; }
[ "$status" = 0 ] || fail "the program ended with exit status $status"
echo "PASS: entry window, main window, category, grid row, close: exit status 0"
