#!/usr/bin/env bash
# Copies the Windows build's deliverable modules (not the tests' fixture) to dist/.
set -euo pipefail
build=${1:?build folder}
dist=${2:?dist folder}
mkdir -p "$dist"
rm -f "$dist"/*.gau
for gau in "$build"/modules/*.gau; do
  case "$(basename "$gau")" in bench_*) continue ;; esac
  cp "$gau" "$dist/"
done
ls "$dist"
