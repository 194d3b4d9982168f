#!/usr/bin/env bash
# Installs the Debian packages the game, its content generator and its tests
# need, but only those that are missing, so a second run is silent and quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  freeglut3-dev libx11-dev libglew-dev libgl1-mesa-dev libgl1-mesa-dri libglu1-mesa-dev
  libpng-dev zlib1g-dev libsdl2-dev libsdl2-mixer-dev
  libcairo2-dev fonts-dejavu-core
  libassimp-dev  # the tests check our model files against Assimp; the game never links it
  xvfb xauth xfonts-base xdotool x11-utils imagemagick
  dpkg-dev desktop-file-utils lintian
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
