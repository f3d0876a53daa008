#!/usr/bin/env bash
# Installs the Debian packages both builds and the tests need. Idempotent: when
# everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine32:i386 wine
  libcairo2-dev libfreetype-dev libfontconfig-dev
  fonts-dseg fonts-liberation2
  python3 python3-pil libcli11-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
