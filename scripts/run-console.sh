#!/usr/bin/env bash
# Builds the console and starts it. Extra arguments go to tarn-console,
# for example: scripts/run-console.sh --port-device /dev/ttyUSB0
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/src/tarn-console "$@"
