#!/usr/bin/env bash
# Saves a picture of the main window, connected to the simulator, as
# docs/main-window.png (or the file given). Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
out="${1:-docs/main-window.png}"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
mkdir -p "$(dirname "$out")"
QT_QPA_PLATFORM=offscreen scripts/console-with-simulator.sh --screenshot "$out"
echo "Saved $out"
