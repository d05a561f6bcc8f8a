#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program under Wine:
#   ./run.sh [project.WDF]
# VL_EDITION=extended starts the extended edition (build/bin-extended).
# On $DISPLAY, or on a virtual display that it starts and names; there, with
# no window manager, the program runs in a Wine desktop window so that its
# windows have frames.
set -u
. "$(dirname "$0")/scripts/common.sh"
vl_install_missing || exit 1
vl_build >/dev/null || { vl_say "build failed"; exit 1; }
vl_start_display
trap vl_stop EXIT
vl_start_wine
args=()
if [ $# -gt 0 ]; then args+=("$(winepath -w "$(realpath -m "$1")")"); fi
bin=bin
if [ "${VL_EDITION:-standard}" = extended ]; then bin=bin-extended; fi
cd "$VL_BUILD/$bin" || exit 1
if [ -z "$VL_XVFB_PID" ]; then
  wine ./Varmelin.exe "${args[@]}"
  exit $?
fi
wine explorer /desktop=Varmelin,1280x1000 "$(winepath -w "$PWD/Varmelin.exe")" "${args[@]}" >/dev/null 2>&1 &
sleep 2
vl_say "the program runs on $DISPLAY; close its main window to end"
while pgrep -f 'Varmelin\.exe' >/dev/null; do sleep 1; done
