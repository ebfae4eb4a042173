#!/usr/bin/env bash
# Builds everything and starts the console against a freshly started camera
# simulator on a pseudo-terminal, as if a dome camera were on the cable.
# The simulator is stopped when the console closes.
#
# The demo keeps its own settings (build/demo-config), so a technician's real
# profile is not touched. Extra arguments go to tarn-console.
# To drive a real camera instead: build/src/tarn-console [--port-device /dev/ttyUSB0]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec scripts/console-with-simulator.sh "$@"
