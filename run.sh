#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program under Wine:
#   ./run.sh [project.WDF]
# On $DISPLAY, or on a virtual display that it starts and names.
set -u
. "$(dirname "$0")/scripts/common.sh"
vl_install_missing || exit 1
vl_build || { vl_say "build failed"; exit 1; }
vl_start_display
trap vl_stop EXIT
vl_start_wine
args=()
if [ $# -gt 0 ]; then args+=("$(winepath -w "$(realpath -m "$1")")"); fi
cd "$VL_BUILD/bin" && wine ./Varmelin.exe "${args[@]}"
