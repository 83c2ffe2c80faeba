#!/usr/bin/env bash
# Takes the README's screenshots of the real window under Xvfb, by keyboard alone: the worked
# example in the narrow window; the shear-adjusted lines in the wide one; the window under a
# 16-point desktop font (qt6ct); at scale factor 1.5; the blend chart's window, opened by
# Ctrl+G, its handle at 48.19 %; and the recipe's, opened by Ctrl+R. Needs xvfb, xdotool,
# imagemagick, qt6ct.
set -euo pipefail
cd "$(dirname "$0")/.."
app=$(realpath "${1:-build/app/olvimar}")
display=:97

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
config=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$config"' EXIT
export DISPLAY=$display
sleep 1

# The worked example, typed as a person would: oil A, oil B, 100 ℃, the targets and the total.
type_example() {
    xdotool type --delay 30 "7.276"
    xdotool key Tab && xdotool type --delay 30 "13.69"
    xdotool key Tab Down Tab && xdotool type --delay 30 "10,12"
    xdotool key Tab && xdotool type --delay 30 "4"
    xdotool key Return
    sleep 0.5
}

# shoot NAME WIDE [VAR=VALUE ...]: starts the window with those variables and takes docs/NAME.
shoot() {
    local name=$1 wide=$2
    shift 2
    env "$@" "$app" 2>/dev/null &
    local pid=$!
    local window
    window=$(xdotool search --sync --name '^Olvimar$' | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    type_example
    if [ "$wide" = wide ]; then
        # From the total: Generate, Clear, the list, the record, the bar, then the shear box of
        # A, which widens the window as it takes the focus.
        xdotool key Tab Tab Tab Tab Tab Tab && xdotool type --delay 30 "10"
        xdotool key Tab && xdotool type --delay 30 "5"
        xdotool key Escape Return
        sleep 0.5
    fi
    import -window "$window" "docs/$name"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "docs/$name"
}

shoot olvimar-narrow.png narrow
shoot olvimar-wide.png wide

mkdir -p "$config/qt6ct"
cat >"$config/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
style=Fusion
[Fonts]
general="Noto Sans CJK SC,16,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="Noto Sans Mono CJK SC,16,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
CONF
shoot olvimar-16pt.png wide XDG_CONFIG_HOME="$config" QT_QPA_PLATFORMTHEME=qt6ct
shoot olvimar-scale-1.5.png wide QT_SCALE_FACTOR=1.5

# The chart: the worked example with three targets, one beyond B, and the shear losses; Ctrl+G,
# then the share of A typed into the box beside the handle, and the oils' 40 ℃ viscosities into
# the data sheet's boxes after the measured blends' section (its boxes, its temperature, its button
# and its switch). With `calibrated`, two measured blends first, and the switch on.
chart_window() {
    local name=$1 mode=$2
    "$app" 2>/dev/null &
    local pid=$!
    local window chart
    window=$(xdotool search --sync --name '^Olvimar$' | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    xdotool type --delay 30 "7.276"
    xdotool key Tab && xdotool type --delay 30 "13.69"
    xdotool key Tab Down Tab && xdotool type --delay 30 "10,12,15"
    xdotool key Tab && xdotool type --delay 30 "4"
    xdotool key Tab Tab Tab Tab Tab Tab && xdotool type --delay 30 "10"
    xdotool key Tab && xdotool type --delay 30 "5"
    xdotool key ctrl+g
    chart=$(xdotool search --sync --name '^混合曲线$' | head -1)
    sleep 0.5
    if [ "$mode" = calibrated ]; then
        xdotool key Tab ctrl+a && xdotool type --delay 30 "53.14"
        # Each blend: its share, its viscosity, Enter; the focus is back in the share's box.
        xdotool key Tab && xdotool type --delay 30 "50"
        xdotool key Tab && xdotool type --delay 30 "10.2"
        xdotool key Return
        xdotool type --delay 30 "30"
        xdotool key Tab && xdotool type --delay 30 "11.4"
        xdotool key Return
        # On past the viscosity, the temperature, the button and the two blends' "删除".
        xdotool key Tab Tab Tab Tab Tab Tab space
    else
        xdotool key Tab ctrl+a && xdotool type --delay 30 "48.19"
        xdotool key Tab Tab Tab Tab Tab
    fi
    xdotool key Tab && xdotool type --delay 30 "40"
    xdotool key Tab && xdotool type --delay 30 "90"
    sleep 0.5
    import -window "$chart" "docs/$name"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "docs/$name"
}
chart_window olvimar-chart.png rule
chart_window olvimar-calibration.png calibrated

# The recipe: A and B from the window (7.276 and 13.69 at 100 ℃), their 40 ℃ viscosities, C, the
# densities and prices, both targets and 4 L, each box reached by Tab from the first. With a
# variable, under that setting.
recipe_window() {
    local name=$1
    shift
    env "$@" "$app" 2>/dev/null &
    local pid=$!
    local window recipe
    window=$(xdotool search --sync --name '^Olvimar$' | head -1)
    xdotool windowfocus --sync "$window"
    sleep 0.5
    xdotool type --delay 30 "7.276"
    xdotool key Tab && xdotool type --delay 30 "13.69"
    xdotool key Tab Down Tab
    xdotool key ctrl+r
    recipe=$(xdotool search --sync --name '^配方$' | head -1)
    sleep 0.5
    # Each oil's 40 ℃, (100 ℃), density and price; the package's five left empty; the targets.
    xdotool type --delay 30 "40"
    xdotool key Tab Tab && xdotool type --delay 30 "840"
    xdotool key Tab && xdotool type --delay 30 "10"
    xdotool key Tab && xdotool type --delay 30 "90"
    xdotool key Tab Tab && xdotool type --delay 30 "850"
    xdotool key Tab && xdotool type --delay 30 "12"
    xdotool key Tab && xdotool type --delay 30 "150"
    xdotool key Tab && xdotool type --delay 30 "14.5"
    xdotool key Tab && xdotool type --delay 30 "870"
    xdotool key Tab && xdotool type --delay 30 "20"
    xdotool key Tab Tab Tab Tab Tab Tab && xdotool type --delay 30 "10"
    xdotool key Tab && xdotool type --delay 30 "62"
    xdotool key Tab Tab && xdotool type --delay 30 "4"
    sleep 0.5
    import -window "$recipe" "docs/$name"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "docs/$name"
}
recipe_window olvimar-recipe.png
