#!/usr/bin/env bash
# Saves pictures of the main window and of each dialog, connected to the
# simulator, into docs/ (or only the main window, into the file given).
# Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

# shot FILE [BUTTONS [tarn-console arguments...]]: BUTTONS are pressed one
# after the other ("Camera Setup/Lens Maintenance") and the last window opened
# is saved.
shot() {
    local out="$1"; shift
    case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
    mkdir -p "$(dirname "$out")"
    local open=()
    if [ $# -gt 0 ]; then
        [ -n "$1" ] && open=(--open-dialog "$1")
        shift
    fi
    QT_QPA_PLATFORM=offscreen scripts/console-with-simulator.sh --screenshot "$out" "${open[@]}" "$@"
    echo "Saved $out"
}

if [ $# -gt 0 ]; then
    shot "$1"
    exit 0
fi

shot docs/main-window.png
# One line per dialog:
shot docs/camera-id.png "Camera ID"
shot docs/camera-setup.png "Camera Setup"
shot docs/dsp-control.png "DSP Status"
# A camera of another make is looked for at address 1 only.
TARN_DEMO_NAME=lens TARN_DEMO_SETUP=$'RxType=6\nCamType=1\nPTType=1' TARN_SIM_ARGS='--address 1 --model AlderHD --module daynight' shot docs/lens-maintenance.png "Camera Setup/Lens Maintenance"
shot docs/other-maintenance.png "Camera Setup/Other Setup"
shot docs/tours-and-sectors.png "Setup"
TARN_DEMO_NAME=thermal TARN_DEMO_SETUP=$'RxType=0\nCamType=2\nPTType=1' TARN_SIM_ARGS='--address 5 --model AlderHD --module thermal' shot docs/thermal-control.png "DSP Status"
shot docs/wipe-setup.png "Wipe Setup"
shot docs/wash-setup.png "Wash Setup"
shot docs/azimuth-setup.png "Pos Display Set/Get Control Setup/Get Current PTZFL "
shot docs/screen-privacy.png "DSP Status/Setup"
shot docs/traffic-window.png "Traffic"
TARN_DEMO_NAME=lens TARN_DEMO_SETUP=$'RxType=6\nCamType=1\nPTType=1' TARN_SIM_ARGS='--address 1 --model AlderHD --module daynight' shot docs/tour-setup.png "Setup"
shot docs/service-password.png "Camera Setup/Other Setup/Store CalWords"
shot docs/find-domes.png "Find Domes.../Start"
shot docs/camera-configuration.png "Configuration..."
shot docs/joystick.png "Joystick..."
# The camera list of a small site, the simulated dome among its cameras.
site=build/demo-site.ini
cat > "$site" <<'SITE'
[Camera 1]
Name=Lobby, east door
Link=COM1
Protocol=1
Baud=9600
Address=5
Group=Ground floor
[Camera 2]
Name=Car park entrance
Link=COM1
Protocol=1
Baud=9600
Address=7
Group=Outside
[Camera 3]
Name=Loading bay
Link=192.168.1.200:4001
Protocol=1
Baud=9600
Address=12
Group=Outside
SITE
shot docs/camera-list.png "" --site "$PWD/$site"
