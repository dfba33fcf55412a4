#!/usr/bin/env bash
# The whole application with two documents and its tool windows in a real window
# under Xvfb; saves the screen as OUT.png (default application.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-application.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_APP="$out" \
  ./build/tests/app_tests --gtest_filter=DocumentWindows.ScreenshotOfTheApplication
echo "wrote $out"
