#!/usr/bin/env bash
# The Windows window on a display (Xvfb, through Wine's X11 driver and Qt's own Windows platform): the
# window tests' layout checks hold there as they do offscreen on Linux (every control at its position
# and size, every caption fitting; the ones that click need an active window, which Xvfb without a
# window manager does not give), a screenshot of the window is kept, and the program itself starts
# with its title and can be closed.
# Usage: WindowOnADisplay.sh PROGRAM WINDOW_TESTS SCREENSHOT_TEST WINE_RUN BUILD_FOLDER
set -euo pipefail
program=$1 window_tests=$2 screenshot=$3 wine_run=$4 build=$5
# A Wine prefix of its own: a prefix's windows all go to the display its first program found, and the
# other Windows tests, running beside this one, have none.
export WINEPREFIX="$build/wineprefix-display"
# Wine passes no QT_ variable to a Windows program, so the platform is chosen on the command line.
"$wine_run" "$window_tests" -platform windows --gtest_brief=1 \
    --gtest_filter='Inventory.EveryControl*:Inventory.EveryCaption*:Inventory.TheScaleLines*:Startup.*'
# The window's picture as Windows draws it (text through GDI), kept beside the offscreen one.
"$wine_run" "$screenshot" -platform windows --gtest_brief=1
mv "$build/vcm7310-window.png" "$build/vcm7310-window-on-display.png"

"$wine_run" "$program" &
started=$!
trap 'kill "$started" 2>/dev/null || true' EXIT
window=$(timeout 120 xdotool search --sync --onlyvisible --name 'VCM7310 Evaluation Board Software' | head -1)
title=$(xdotool getwindowname "$window")
echo "title: $title"
[ "$title" = "VCM7310 Evaluation Board Software [simulated board]" ]
# Closed as a user closes it (Alt+F4): the program ends by itself, with exit code 0.
xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+F4
timeout 60 tail --pid="$started" -f /dev/null
trap - EXIT
wait "$started"
