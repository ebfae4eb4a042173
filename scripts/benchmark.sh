#!/usr/bin/env bash
# Prints what building a frame and assembling a reply byte by byte cost, and
# what the Traffic window's table costs with 100 000 entries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/bench/tarn_link_benchmark "$@"
build/bench/tarn_traffic_benchmark "$@"
