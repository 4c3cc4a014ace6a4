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
for tool in Xvfb xdotool; do
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
  exit 1
}

mkdir -p "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
suppress_display_leaks "$work"
start_xvfb "$work"

(cd "$work/data" && exec "$program") >"$work/varostel.log" 2>&1 &
app_pid=$!

# The windows named like the program that are showing, one "ID WxH" a line.
showing() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Sorvanel$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
    echo "$id ${WIDTH}x${HEIGHT}"
  done
}

# The first window on screen is the entry window, not a report.
first=""
for i in $(seq 400); do
  first="$(showing | head -n1)"
  [ -n "$first" ] && break
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended before any window showed"
  sleep 0.05
done
[ -n "$first" ] || fail "no window appeared"
[ "${first#* }" = 450x479 ] || fail "the first window is ${first#* }, not the entry window"
entry="${first%% *}"

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

window_origin "$entry"
ex=$X ey=$Y
click_at $((ex + 232)) $((ey + 371))
main="$(visible_window '^Ostravel' "$app_pid")" || fail "the first link did not show the main window"
window_origin "$main"
mx=$X my=$Y
click_at $((mx + 834)) $((my + 23))
for i in $(seq 50); do
  xdotool search --onlyvisible --name '^Ostravel' >/dev/null 2>&1 || break
  sleep 0.1
done

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
[ -n "$status" ] || fail "the entry window's close mark did not end the program"
app_pid=""
[ "$status" = 0 ] || fail "the program ended with exit status $status"
echo "PASS: entry window first, fifteen reports over it, then both windows work: exit status 0"
