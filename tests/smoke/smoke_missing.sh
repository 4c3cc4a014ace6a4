#!/usr/bin/env bash
# Runs the real program on a virtual screen in a folder without the
# collection, as a reader who started it in the wrong place would: the entry
# window shows, the fifteen reports of the collection that cannot be opened
# follow one by one in boxes over it, and once they are answered the first
# link still opens the main window, which hides on its close mark, and the
# entry window's close mark ends the program with exit status 0.
#   smoke_missing.sh VAROSTEL
# Exit status 77 (skipped) when the virtual-screen tools are missing.
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/xvfb.sh"
begin_session

# The windows named like the program that are showing, one "ID WxH" a line.
showing() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Sorvanel$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    echo "$id ${WIDTH}x${HEIGHT}"
  done
}

# The first window on screen is the entry window, not a report.
launch_program "$program" || fail "no window appeared"
entry=$first_window
window_origin "$entry"
[ "$WIDTH" = 450 ] && [ "$HEIGHT" = 479 ] || fail "the first window is ${WIDTH}x${HEIGHT}, not the entry window"
ex=$X ey=$Y

# Each report in turn: a box of its own over the entry window, answered with
# Return. The next one shows once the last is gone; a box still there after
# its Return is pressed again, not counted again.
reports=0
answered=""
while :; do
  box=""
  for i in $(seq 100); do
    box="$(showing | awk '$2 != "450x479" { print $1; exit }')"
    [ -n "$box" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended after $reports reports"
    sleep 0.05
  done
  [ -n "$box" ] || break
  if [ "$box" != "$answered" ]; then
    reports=$((reports + 1))
    answered=$box
  fi
  [ "$reports" -le 20 ] || fail "the reports do not stop"
  timeout 5 xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
  for i in $(seq 100); do
    xdotool search --onlyvisible --name '^Sorvanel$' 2>/dev/null | grep -qx "$box" || break
    sleep 0.05
  done
done
[ "$reports" = 15 ] || fail "$reports reports, not fifteen"

click_at $((ex + 232)) $((ey + 371))
main="$(visible_window '^Ostravel' "$app_pid")" || fail "the first link did not show the main window"
window_origin "$main"
hide_main_window "$X" "$Y"
close_entry_window "$ex" "$ey"
echo "PASS: entry window first, fifteen reports over it, then both windows work: exit status 0"
