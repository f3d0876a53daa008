# Sourced: a throwaway, headless Wine prefix inside a Windows build folder.
# Usage: source tools/wine_env.sh BUILD_DIR
wine_build=$(cd "${1:?build folder}" && pwd)
export WINEDEBUG=-all WINEPREFIX="$wine_build/wine/prefix" WINEDLLOVERRIDES="mscoree,mshtml="
wine_homes="$wine_build/wine/homes"
mkdir -p "$wine_homes/sound" "$wine_homes/silent"
# ALSA's null device lets DirectSound open; a missing card makes it fail.
printf 'pcm.!default { type null }\nctl.!default { type null }\n' > "$wine_homes/sound/.asoundrc"
printf 'pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n' > "$wine_homes/silent/.asoundrc"
export HOME="$wine_homes/sound"
if [ ! -f "$WINEPREFIX/.panel-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Headless: windows are created with the null graphics driver.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w || true
  touch "$WINEPREFIX/.panel-ready"
fi
