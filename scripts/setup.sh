#!/usr/bin/env bash
# Installs, from Debian's packages, everything the game needs to build, run
# and test. Idempotent and quiet: when every package is present it does
# nothing at all, and it asks apt for a fresh package list only when
# something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  libassimp-dev libstb-dev libspng-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  libopenal-dev libsndfile1-dev libenet-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils libx11-dev xdotool
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
