#!/usr/bin/env bash
# Starts tarn-camsim on a pty and tarn-console on the other end of it (an
# already built tree). Used by run-console.sh and screenshot.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

demo_config="$PWD/build/demo-config"
mkdir -p "$demo_config/Tarn"
settings="$demo_config/Tarn/tarn-console.conf"
# A day/night dome on a variable-speed pan/tilt unit: every panel function answers.
[ -f "$settings" ] || cat > "$settings" <<'INI'
[Setup]
RxType=0
CamType=1
PTType=1
INI

sim_out=$(mktemp)
sim_log="$PWD/build/demo-camsim.log"
build/sim/tarn-camsim --pty --address 5 --model AlderHD --module daynight --log "$sim_log" > "$sim_out" &
sim_pid=$!
cleanup() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -f "$sim_out"
}
trap cleanup EXIT

pty=""
for _ in $(seq 100); do
    pty=$(sed -n 's/^pty: //p' "$sim_out" | head -n 1)
    [ -n "$pty" ] && break
    kill -0 "$sim_pid" 2>/dev/null || { echo "tarn-camsim did not start" >&2; exit 1; }
    sleep 0.05
done
[ -n "$pty" ] || { echo "tarn-camsim did not report its pty" >&2; exit 1; }
echo "Simulated camera (address 5) on $pty; its traffic log: $sim_log"

XDG_CONFIG_HOME="$demo_config" build/src/tarn-console --port-device "$pty" "$@"
