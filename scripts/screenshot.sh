#!/usr/bin/env bash
# Starts the app in a virtual X display and saves a screenshot of the screen.
# usage: [VELMORA_SCREEN=WxH] scripts/screenshot.sh OUT.png [seconds to wait] [app arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshot.png}
wait=${2:-3}
shift $(( $# > 2 ? 2 : $# ))
export VELMORA_CONFIG_DIR=${VELMORA_CONFIG_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 ${VELMORA_SCREEN:-1280x800}x24" bash -c "
  ./build/velmora $* &
  app=\$!
  sleep $wait
  import -window root '$out'
  kill \$app
"
echo "wrote $out"
