#!/usr/bin/env bash
# An irregular selection with curved sides dragged by Move/Copy over the splash design,
# in a real window under Xvfb; saves the screen as OUT.png (default movecopy.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-movecopy.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_MOVECOPY="$out" \
  ./build/tests/app_tests --gtest_filter=MoveCopyWindow.ScreenshotOfACurvedSelectionDragged
echo "wrote $out"
