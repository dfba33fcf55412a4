#!/usr/bin/env bash
# The A0 1000-dpi design (31200 x 44000, 1.37 Gpx) made by `velmora-cli new`, opened
# in the app with a motif repeated over it in half drop: fitted to the window
# (OUT.png, default large.png) and at 16:1 beside the full view (OUT-16.png), in real
# windows under Xvfb. Needs about 4 GB of free memory.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-large.png}")
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build/velmora-cli new "$work/a0.tex" --paper A0 --dpi 1000
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb VELMORA_SCREENSHOT_LARGE="$out" \
  VELMORA_SCREENSHOT_LARGE_DESIGN="$work/a0.tex" \
  ./build/tests/app_tests --gtest_filter=LargeDesign.ScreenshotOfAnA0DesignFittedAndAt16To1
echo "wrote $out and ${out%.png}-16.png"
