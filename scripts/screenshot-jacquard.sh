#!/usr/bin/env bash
# The weave browser on the 8-end twills beside a design with a twill laid over
# its ground by the jacquard tool (Effect mode), in a real window under Xvfb;
# saves the screen as OUT.png (default jacquard.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-jacquard.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_JACQUARD="$out" \
  ./build/tests/app_tests --gtest_filter=JacquardWindow.ScreenshotOfAJacquardDesign
echo "wrote $out"
