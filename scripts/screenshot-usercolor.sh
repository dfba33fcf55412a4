#!/usr/bin/env bash
# The user colour library window with a library of twelve colours read, in a
# real window under Xvfb; saves the screen as OUT.png (default usercolor.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-usercolor.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1000x600x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_USERCOLOR="$out" \
  ./build/tests/app_tests --gtest_filter=PaletteFiles.ScreenshotOfTheUserColourLibrary
echo "wrote $out"
