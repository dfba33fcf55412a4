#!/usr/bin/env bash
# The print preview of an A0 rug (4992 x 7040 at 160 dpi) tiled at true size over
# sheets with alignment marks, labels and a colour key, in a real window under Xvfb;
# saves the screen as OUT.png (default print.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-print.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_PRINT="$out" \
  ./build/tests/app_tests --gtest_filter=PrintWindow.ScreenshotOfATiledA0Preview
echo "wrote $out"
