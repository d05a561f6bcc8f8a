#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a
# virtual display. Exits non-zero when a test fails.
set -u
. "$(dirname "$0")/scripts/common.sh"
vl_install_missing || exit 1
vl_build || { vl_say "build failed"; exit 1; }
VL_FORCE_XVFB=1 vl_start_display
trap vl_stop EXIT
vl_start_wine
cd "$VL_BUILD" && ctest --output-on-failure -j "${VL_TEST_JOBS:-$(nproc)}" "$@"
