#!/usr/bin/env bash
# Prints what building a frame and assembling a reply byte by byte cost, what
# the Traffic window's table costs with 100 000 entries, the console on a
# paced line (queue drain, round trip, press to first byte, start-up, memory
# over an hour), the commissioning sweep and a dome's whole configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/bench/tarn_link_benchmark "$@"
build/bench/tarn_traffic_benchmark "$@"

# The console on a line, end to end, against the simulator pacing its bytes
# at the rate the console set: one table, each figure beside its floor (the
# bytes at the baud rate and the console's specified pauses). About 4 minutes.
build/bench/tarn_line_benchmark

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

# A dome's whole configuration: a snapshot of dome A and its write into dome
# B (read back after), against two simulated domes answering at the line's
# pace, as ratios to the floor that tarn_config_floor finds for the same jobs
# (the frames' wire time and the dialogs' own pauses). 1.5 is the aim.
build/sim/tarn-camsim --pty --pace 1042 --dome 5:AlderHD:daynight --dome 9:AlderHD:daynight > "$work/config-sim.out" 2>&1 &
config_sim=$!
for _ in $(seq 50); do grep -q '^pty: ' "$work/config-sim.out" 2>/dev/null && break; sleep 0.1; done
config_device=$(sed -n 's/^pty: //p' "$work/config-sim.out" | head -1)
mkdir -p "$work/config/Tarn"
printf '[Setup]\nRxType=0\nCamType=1\n' > "$work/config/Tarn/tarn-console.conf"
timed() {
    local started ended
    started=$(date +%s.%N)
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/config" build/src/tarn-console "$@" --port-device "$config_device" >/dev/null 2>&1
    ended=$(date +%s.%N)
    awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.3f", b - a }'
}
snapshot_s=$(timed --save-config "$work/a.ini" --address 5)
write_s=$(timed --write-config "$work/a.ini" --yes --address 9)
kill "$config_sim" 2>/dev/null || true
floors=$(build/bench/tarn_config_floor 9600)
snapshot_floor=$(echo "$floors" | sed -n 's/^snapshot //p')
write_floor=$(echo "$floors" | sed -n 's/^write //p')
awk -v s="$snapshot_s" -v sf="$snapshot_floor" -v w="$write_s" -v wf="$write_floor" 'BEGIN {
    printf "configuration snapshot: %.1f s, floor %.1f s, ratio %.2f (aim 1.5)\n", s, sf, s / sf
    printf "configuration write and read-back: %.1f s, floor %.1f s, ratio %.2f (aim 1.5)\n", w, wf, w / wf
}'
