#!/usr/bin/env bash
# Prints what building a frame and assembling a reply byte by byte cost, and
# what the Traffic window's table costs with 100 000 entries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/bench/tarn_link_benchmark "$@"
build/bench/tarn_traffic_benchmark "$@"

# The commissioning sweep of a whole line: 254 addresses at one rate and one
# protocol against the simulator (one dome at address 5), as a ratio to
# 254 x the 100 ms reply time-out. 1.10 is the most it may take.
work=$(mktemp -d)
trap 'kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT
build/sim/tarn-camsim --pty --dome 5:AlderHD:daynight > "$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 50); do grep -q '^pty: ' "$work/sim.out" 2>/dev/null && break; sleep 0.1; done
device=$(sed -n 's/^pty: //p' "$work/sim.out" | head -1)
summary=$(XDG_CONFIG_HOME="$work" build/src/tarn-console --sweep --port-device "$device" --protocols 1 \
    --addresses 1-254 | tail -1)
seconds=$(echo "$summary" | sed -n 's/^swept [0-9]* questions in \([0-9.]*\) s$/\1/p')
echo "sweep of 254 addresses: $summary"
awk -v s="$seconds" 'BEGIN { printf "sweep ratio to 254 x 100 ms: %.3f (limit 1.10)\n", s / 25.4 }'
