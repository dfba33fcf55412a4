#!/usr/bin/env bash
# The palette window's Library panel with a VM Textile code found, beside the
# "Color Library" window showing that page among five, in a real window under
# Xvfb; saves the screen as OUT.png (default colorlibrary.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-colorlibrary.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_COLORLIBRARY="$out" \
  ./build/tests/app_tests --gtest_filter=MainWindowTest.ScreenshotOfTheColorLibraryWindow
echo "wrote $out"
