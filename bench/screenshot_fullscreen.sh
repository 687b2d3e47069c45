#!/usr/bin/env bash
# Projector check, run by hand: the program on a 1920 x 1080 screen with a
# window manager, F11 to full screen, a bar held under the pointer, then Esc.
# Saves normal.png, full.png and after_esc.png in OUT_DIR and measures the
# bar in full.png: a 4-degree bar must be 4 x 38 pixels long on screen.
#   bench/screenshot_fullscreen.sh [path/to/tessaline] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/tessaline}")
out=$(realpath -m "${2:-screenshots}")
mkdir -p "$out"
for tool in Xvfb openbox xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "needs $tool (xvfb, openbox, xdotool, imagemagick)"; exit 1; }
done

display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app="" wm=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display}" ] && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Tessaline$' | head -n 1)
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
sleep 1
import -window root "$out/normal.png"
echo "normal:     $(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')"

xdotool key F11
sleep 1.5
echo "full:       $(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')"
# A bar (the start-up stimulus, 4 x 0.4 degrees, upright) held at (1100, 640).
xdotool mousemove 1100 640 mousedown 1
sleep 0.5
xdotool mousemove 1100 641
sleep 0.5
import -window root "$out/full.png"
xdotool mouseup 1

xdotool key Escape
sleep 1
echo "after Esc:  $(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')"
import -window root "$out/after_esc.png"

# Bar pixels are the brightest of the scene (0xFEFEFE) and centred on the pointer.
rows=$(convert "$out/full.png" -crop 1x1080+1100+0 txt:- | grep -c '#FEFEFE' || true)
cols=$(convert "$out/full.png" -crop 1920x1+0+641 txt:- | grep -c '#FEFEFE' || true)
echo "bar in full screen: $rows rows x $cols columns (4 x 38 = 152 and 0.4 x 38 = 15.2, each +1 for the closing edge)"
echo "screenshots in $out"
