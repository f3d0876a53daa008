#!/usr/bin/env bash
# Runs the Windows test runner under Wine against the real .gau modules, twice:
# once with ALSA's null device (DirectSound opens) and once with no sound
# device at all (DirectSound fails and every gauge must carry on silently).
# Usage: tools/run_wine_tests.sh BUILD_DIR [gtest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/wine_env.sh "${1:?build folder}"
shift

status=0
cd "$wine_build"
for mode in sound silent; do
  echo "== Wine tests ($mode) =="
  if ! HOME="$wine_homes/$mode" PANEL_SOUND_MODE=$mode PANEL_MODULE_DIR=modules \
       wine tests/panel_tests.exe "$@"; then
    status=1
  fi
done
wineserver -w || true
exit $status
