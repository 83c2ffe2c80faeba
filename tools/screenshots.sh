#!/usr/bin/env bash
# Takes the README's screenshots of the real window under Xvfb: the worked example in the narrow
# window, then the shear-adjusted lines in the wide one. Needs xvfb, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/app/olvimar}
display=:97

Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
sleep 1
"$app" 2>/dev/null &
trap 'kill $! $xvfb 2>/dev/null' EXIT
window=$(xdotool search --sync --name '^Olvimar$' | head -1)
xdotool windowfocus --sync "$window"
sleep 0.5

xdotool type --delay 30 "7.276"
xdotool key Tab && xdotool type --delay 30 "13.69"
xdotool key Tab Down Tab && xdotool type --delay 30 "10,12"
xdotool key Tab && xdotool type --delay 30 "4"
xdotool key Return
sleep 0.5
import -window "$window" docs/olvimar-narrow.png

# The thin bar at the right edge widens the window to the shear-loss boxes.
xdotool mousemove --window "$window" 315 160 click 1
sleep 0.3
xdotool mousemove --window "$window" 380 30 click 1 && xdotool type --delay 30 "10"
xdotool key Tab && xdotool type --delay 30 "5"
xdotool key Escape Return
sleep 0.5
import -window "$window" docs/olvimar-wide.png
echo "docs/olvimar-narrow.png docs/olvimar-wide.png"
