#!/usr/bin/env bash
# Strokes of every pen kind, drawn shapes and a stroke over the half-drop seams, in a
# real window under Xvfb; saves the screen as OUT.png (default pens.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-pens.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_PENS="$out" \
  ./build/tests/app_tests --gtest_filter=Pens.ScreenshotOfThePens
echo "wrote $out"
