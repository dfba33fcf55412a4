#!/usr/bin/env bash
# A rug of three fields texture-filled by the carpet tool, with the tool window and
# its texture table beside it, in a real window under Xvfb; saves the screen as
# OUT.png (default carpet.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-carpet.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_CARPET="$out" \
  ./build/tests/app_tests --gtest_filter=CarpetWindow.ScreenshotOfATexturedCarpet
echo "wrote $out"
