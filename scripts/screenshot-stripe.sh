#!/usr/bin/env bash
# The Stripe window with its preview beside a design striped Whole at 30 degrees,
# in a real window under Xvfb; saves the screen as OUT.png (default stripe.png).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-stripe.png}")
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_STRIPE="$out" \
  ./build/tests/app_tests --gtest_filter=StripeWindow.ScreenshotOfTheWindowBesideAStripedDesign
echo "wrote $out"
