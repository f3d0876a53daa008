#!/usr/bin/env bash
# Runs the native suite (sanitizers on) and the Wine suites, then prints one
# summary line per runner and a total.
set -uo pipefail
native=${1:?native build folder}
win32=${2:?win32 build folder}
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

"$native/tests/panel_tests" 2>&1 | tee "$logs/native.log"
native_status=${PIPESTATUS[0]}
tools/run_wine_tests.sh "$win32" 2>&1 | tee "$logs/wine.log"
wine_status=${PIPESTATUS[0]}

count() {  # log, word: sums "[  PASSED  ] N tests" (FAILED, SKIPPED) lines
  grep -E "^\[ +$2 +\] [0-9]+ tests?[.,]" "$1" | awk '{s += $4} END {print s + 0}'
}
total_passed=0
total_failed=0
for run in native wine; do
  passed=$(count "$logs/$run.log" PASSED)
  failed=$(count "$logs/$run.log" FAILED)
  skipped=$(count "$logs/$run.log" SKIPPED)
  status_var="${run}_status"
  if [ "${!status_var}" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  echo "$run: $passed passed, $failed failed, $skipped skipped"
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
done
echo "total: $total_passed passed, $total_failed failed"
[ "$native_status" -eq 0 ] && [ "$wine_status" -eq 0 ]
