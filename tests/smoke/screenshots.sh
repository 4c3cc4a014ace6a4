#!/usr/bin/env bash
# Takes the entry window's pictures for docs/ from the real program on a
# virtual screen: as it opens (the pointer on the second link), with the book
# panel, and with the centres panel showing a centre's logo.
#   screenshots.sh VAROSTEL SAMPLE_MDB OUTDIR
set -euo pipefail
program="$(realpath "$1")"
sample=$2
out="$(realpath "$3")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/xvfb.sh"

work="$(mktemp -d)"
app_pid=""
XVFB_PID=""
trap '[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null; [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/runtime" "$out"
chmod 700 "$work/runtime"
cp "$sample" "$work/data/varostel.mdb"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
start_xvfb "$work"
(cd "$work/data" && exec "$program") >"$work/varostel.log" 2>&1 &
app_pid=$!

entry="$(visible_window '^Sorvanel$' "$app_pid")"
window_origin "$entry"
window="450x479+$X+$Y"
settle() { sleep 0.4; }

# Hovering the book link turns it green.
xdotool mousemove --sync $((X + 320)) $((Y + 324)) mousemove --sync $((X + 322)) $((Y + 326))
settle
shoot "$out/entry-window.png" "$window"

click_at $((X + 322)) $((Y + 326))        # Label2: the book panel
xdotool mousemove --sync $((X + 440)) $((Y + 470))
settle
shoot "$out/entry-book-panel.png" "$window"

click_at $((X + 241)) $((Y + 355))        # SpeedButton1: back
click_at $((X + 130)) $((Y + 326))        # Label3: the centres panel
# Over the link of entry 2 (Label24, 215,116 in the panel at 26,6), then off it.
xdotool mousemove --sync $((X + 26 + 300)) $((Y + 6 + 124)) mousemove --sync $((X + 26 + 302)) $((Y + 6 + 126))
xdotool mousemove --sync $((X + 26 + 100)) $((Y + 6 + 300))
settle
shoot "$out/entry-centres-panel.png" "$window"
