#!/usr/bin/env bash
# The demo: the catalogue of every built module, natively and under Wine, then
# scripted clicks and flights on the bench.
set -euo pipefail
native=$(cd "${1:?native build folder}" && pwd)
win32=$(cd "${2:?win32 build folder}" && pwd)
cd "$(dirname "$0")/.."
source tools/wine_env.sh "$win32"

for gau in dist/*.gau; do
  name=$(basename "$gau" .gau)
  echo "== panelbench list $name (native) =="
  "$native/bench/panelbench" list "$native/modules/$name.gau"
  echo "== panelbench.exe list dist/$name.gau (Wine) =="
  wine "$win32/bench/panelbench.exe" list "$gau"
done

for scenario in demo/*.scenario; do
  echo "== panelbench run $scenario =="
  "$native/bench/panelbench" run "$scenario" --module-dir "$native/modules"
done
