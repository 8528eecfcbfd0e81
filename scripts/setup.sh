#!/usr/bin/env bash
# Installs the Debian 12 packages the game and its tests need, if any is missing.
# As root it runs apt-get; otherwise it prints the one apt-get line to run and fails.
set -euo pipefail

packages=(
  cmake g++ make pkg-config gettext
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libjpeg62-turbo-dev zlib1g-dev fonts-dejavu-core
  googletest libgtest-dev
  xvfb xdotool x11-utils libgl1-mesa-dri imagemagick desktop-file-utils appstream man-db groff-base
  weston
  clang libclang-rt-14-dev python3
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
