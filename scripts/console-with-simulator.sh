#!/usr/bin/env bash
# Starts tarn-camsim on a pty and tarn-console on the other end of it (an
# already built tree). Used by run-console.sh and screenshot.sh.
#
# The simulator's pty is reached through a fixed link, build/demo-camera (with
# TARN_DEMO_NAME: build/demo-camera-NAME), and the console opens that link: stop
# the simulator and start it again on the same link, as a technician re-seats
# a USB adapter, and the console finds it again by itself.
#
# Another camera for a demo or a screenshot, without touching the default one:
#   TARN_DEMO_NAME   names its settings folder (build/demo-config-NAME)
#   TARN_DEMO_SETUP  the [Setup] lines of its first settings file
#   TARN_SIM_ARGS    the simulator's options (default: an AlderHD day/night
#                    dome at address 5)
#   TARN_SIM_MEMORY  where the simulated dome keeps its presets, sectors,
#                    zones and tours between runs (default: in the demo's
#                    settings folder; empty: it starts empty every time)
set -euo pipefail
cd "$(dirname "$0")/.."

demo_config="$PWD/build/demo-config${TARN_DEMO_NAME:+-$TARN_DEMO_NAME}"
mkdir -p "$demo_config/Tarn"
settings="$demo_config/Tarn/tarn-console.conf"
# A day/night dome on a variable-speed pan/tilt unit: every panel function answers.
setup="${TARN_DEMO_SETUP:-RxType=0
CamType=1
PTType=1}"
[ -f "$settings" ] || printf '[Setup]\n%s\n' "$setup" > "$settings"
read -r -a sim_args <<< "${TARN_SIM_ARGS:---address 5 --model AlderHD --module daynight}"
# Like a real dome, the simulated one remembers what it was programmed with.
sim_memory="${TARN_SIM_MEMORY-$demo_config/camsim-memory.txt}"
[ -n "$sim_memory" ] && sim_args+=(--memory "$sim_memory")

sim_out=$(mktemp)
sim_log="$PWD/build/demo-camsim.log"
sim_link="$PWD/build/demo-camera${TARN_DEMO_NAME:+-$TARN_DEMO_NAME}"
build/sim/tarn-camsim --pty --link "$sim_link" "${sim_args[@]}" --log "$sim_log" > "$sim_out" &
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
echo "Simulated camera on $pty, reached as $sim_link; its traffic log: $sim_log"
echo "To try a replug: stop the simulator and start it again on the same link:"
echo "  build/sim/tarn-camsim --pty --link $sim_link ${sim_args[*]} --log $sim_log"

# The demo's Dome.dat lives beside its settings, not in your own data folder.
XDG_CONFIG_HOME="$demo_config" XDG_DATA_HOME="$demo_config" build/src/tarn-console --port-device "$sim_link" "$@"
