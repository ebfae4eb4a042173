#!/usr/bin/env bash
# Prints what building a frame and assembling a reply byte by byte cost.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/bench/tarn_link_benchmark "$@"
