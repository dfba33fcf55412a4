#!/usr/bin/env bash
# Two document windows (256 colours and full colour), zoomed and gridded, in a real
# window under Xvfb; saves the screen as OUT.png (default documents.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-documents.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT="$out" \
  ./build/tests/app_tests --gtest_filter=DocumentWindows.ScreenshotOfTwoDocuments
echo "wrote $out"
