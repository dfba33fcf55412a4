#!/usr/bin/env bash
# The weave browser showing the 8-end twills beside the main window, in a real
# window under Xvfb; saves the screen as OUT.png (default weave.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-weave.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_WEAVE="$out" \
  ./build/tests/app_tests --gtest_filter=TextureWindow.ScreenshotOfTheWeaveBrowser
echo "wrote $out"
