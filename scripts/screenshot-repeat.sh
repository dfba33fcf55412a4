#!/usr/bin/env bash
# A vertical half drop of a tile cut from the splash picture over the whole design,
# made with the Repeat tool in a real window under Xvfb; saves the screen as OUT.png
# (default repeat.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-repeat.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_REPEAT="$out" \
  ./build/tests/app_tests --gtest_filter=RepeatWindow.ScreenshotOfAHalfDropRepeat
echo "wrote $out"
