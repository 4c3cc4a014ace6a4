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
. "$here/xvfb.sh"
begin_session import compare
cp "$sample" "$work/data/varostel.mdb"

launch_program "$program" || fail "the entry window did not appear"
entry=$first_window
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

hide_main_window "$mx" "$my"
close_entry_window "$ex" "$ey"
echo "PASS: entry window, main window, category, grid row, close: exit status 0"
