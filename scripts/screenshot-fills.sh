#!/usr/bin/env bash
# A linear and a circular gradation and a half-drop pattern fill on a new design,
# in a real window under Xvfb; saves the screen as OUT.png (default fills.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-fills.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_FILLS="$out" \
  ./build/tests/app_tests --gtest_filter=FillWindow.ScreenshotOfGradationsAndAPatternFill
echo "wrote $out"
