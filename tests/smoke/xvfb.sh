# Shell helpers for driving the real program on a virtual screen; sourced.
# A script calls begin_session, then launch_program, and drives the windows
# with xdotool; fail ends it with the program's output shown.

# start_xvfb DIR: starts Xvfb on a free display number, 1280x1024, and exports
# DISPLAY once a client can connect. Its process id is left in XVFB_PID; its
# log in DIR/xvfb.log. Another server starting at the same moment can win the
# same number, so a display that will not take clients is given up and
# another one started. The server must not reset when its last client
# leaves: a reset drops every client that connected meanwhile, and the
# program connects just after the readiness probe has left.
start_xvfb() {
  local dir=$1 attempt i
  for attempt in 1 2 3; do
    rm -f "$dir/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
    XVFB_PID=$!
    for i in $(seq 200); do
      [ -s "$dir/display" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    if [ -s "$dir/display" ]; then
      DISPLAY=":$(head -n1 "$dir/display")"
      export DISPLAY
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    fi
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  return 1
}

# suppress_display_leaks DIR: under LeakSanitizer, on a real display the
# platform's D-Bus library keeps a buffer for the life of the process, which
# is not the program's to free. Its suppression joins whatever suppressions
# the caller gave, in DIR/lsan.supp.
suppress_display_leaks() {
  local given
  given="$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"${LSAN_OPTIONS:-}")"
  { [ -n "$given" ] && cat "$given"; echo "leak:libdbus-1.so"; } >"$1/lsan.supp"
  LSAN_OPTIONS="$(sed 's/suppressions=[^:]*//' <<<"${LSAN_OPTIONS:-}"):suppressions=$1/lsan.supp"
  export LSAN_OPTIONS
}

# visible_window NAME-REGEX PID: waits, up to 20 seconds and while process
# PID lives, until a mapped window's name matches, and prints its id.
visible_window() {
  local i id
  for i in $(seq 400); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)" || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

# window_origin ID: sets X and Y (its top left on the screen), WIDTH and HEIGHT.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# click_at X Y [BUTTON]
click_at() {
  xdotool mousemove --sync "$1" "$2" click "${3:-1}"
}

# shoot FILE [GEOMETRY]: the screen, or the WxH+X+Y part of it, as a PNG.
shoot() {
  if [ -n "${2:-}" ]; then
    import -silent -window root -crop "$2" +repage "$1"
  else
    import -silent -window root "$1"
  fi
}

# pixels_differ A B: how many pixels differ between two pictures of one size.
pixels_differ() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}

# begin_session TOOL...: skips the script (exit status 77) unless Xvfb,
# xdotool and the TOOLs are installed; makes the work folder $work, with
# data/ as the program's working directory and shots/ for screenshots; and
# starts the virtual screen. The program, the screen and the folder go when
# the script ends.
begin_session() {
  local tool
  for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  work="$(mktemp -d)"
  app_pid=""
  XVFB_PID=""
  trap end_session EXIT
  mkdir -p "$work/data" "$work/shots" "$work/runtime"
  chmod 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
  export QT_QPA_PLATFORM=xcb
  suppress_display_leaks "$work"
  start_xvfb "$work"
}

end_session() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}

# fail MESSAGE: ends the script, showing the program's and the screen's
# output and keeping any screenshots.
fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/varostel.log" ] && { echo "--- the program's output:" >&2; cat "$work/varostel.log" >&2; }
  [ -s "$work/xvfb.log" ] && { echo "--- the virtual screen's output:" >&2; cat "$work/xvfb.log" >&2; }
  if [ -n "$(ls -A "$work/shots" 2>/dev/null)" ]; then
    cp -r "$work/shots" "${SMOKE_KEEP:-/tmp}/varostel-smoke-shots" 2>/dev/null &&
      echo "screenshots kept in ${SMOKE_KEEP:-/tmp}/varostel-smoke-shots" >&2
  fi
  exit 1
}

# launch_program PROGRAM: starts it in $work/data, its output going to
# $work/varostel.log, and leaves its process id in app_pid and the id of its
# first window on screen in first_window; not to be run in a subshell, which
# would keep both. A program that could not reach the virtual
# screen says nothing about the program: the screen is started afresh and the
# program given one more try.
launch_program() {
  local attempt
  first_window=""
  for attempt in 1 2; do
    (cd "$work/data" && exec "$1") >"$work/varostel.log" 2>&1 &
    app_pid=$!
    first_window="$(visible_window '^Sorvanel$' "$app_pid")" && return 0
    grep -q "could not connect to display" "$work/varostel.log" && [ "$attempt" = 1 ] || break
    echo "the program could not reach the virtual screen $DISPLAY; starting another" >&2
    cat "$work/varostel.log" "$work/xvfb.log" >&2
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    start_xvfb "$work"
  done
  return 1
}

# hide_main_window X Y: presses the main window's close area, Shape2 at
# 826,15, of the main window at X,Y; it must hide the window and nothing more.
hide_main_window() {
  local i
  click_at $(($1 + 834)) $(($2 + 23))
  for i in $(seq 50); do
    xdotool search --onlyvisible --name '^Ostravel' >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name '^Ostravel' >/dev/null 2>&1 && fail "the main window's close mark did not hide it"
  kill -0 "$app_pid" 2>/dev/null || fail "closing the main window ended the program"
}

# close_entry_window X Y: presses the entry window's close area, Shape3 at
# 416,10 (17x17), of the entry window at X,Y; the program must end with exit
# status 0.
close_entry_window() {
  local i status=""
  click_at $(($1 + 424)) $(($2 + 18))
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
}
