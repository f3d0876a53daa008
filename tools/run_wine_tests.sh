#!/usr/bin/env bash
# Runs the Windows test runner under Wine against the real .gau modules, twice:
# once with ALSA's null device (DirectSound opens) and once with no sound
# device at all (DirectSound fails and every gauge must carry on silently).
# Usage: tools/run_wine_tests.sh BUILD_DIR [gtest arguments...]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
shift
export WINEDEBUG=-all WINEPREFIX="$build/wine/prefix" WINEDLLOVERRIDES="mscoree,mshtml="
homes="$build/wine/homes"
mkdir -p "$homes/sound" "$homes/silent"
printf 'pcm.!default { type null }\nctl.!default { type null }\n' > "$homes/sound/.asoundrc"
# ALSA's default device without a sound card: nothing to open.
printf 'pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n' > "$homes/silent/.asoundrc"

if [ ! -f "$WINEPREFIX/.panel-ready" ]; then
  mkdir -p "$WINEPREFIX"
  HOME="$homes/sound" wineboot -i >/dev/null 2>&1 || true
  # Headless: windows are created with the null graphics driver.
  HOME="$homes/sound" wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w || true
  touch "$WINEPREFIX/.panel-ready"
fi

status=0
cd "$build"
for mode in sound silent; do
  echo "== Wine tests ($mode) =="
  if ! HOME="$homes/$mode" PANEL_SOUND_MODE=$mode PANEL_MODULE_DIR=modules \
       wine tests/panel_tests.exe "$@"; then
    status=1
  fi
done
wineserver -w || true
exit $status
