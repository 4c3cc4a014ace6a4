# Shell helpers for driving the real program on a virtual screen; sourced.

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
