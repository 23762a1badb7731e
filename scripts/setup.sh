#!/usr/bin/env bash
# Installs every Debian package Lumitag needs and configures the build.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-svg-dev libgl-dev
  libhidapi-dev libudev-dev libgif-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-wqy-microhei
  desktop-file-utils appstream help2man dpkg-dev fakeroot file
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B "${BUILD_DIR:-build}" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
