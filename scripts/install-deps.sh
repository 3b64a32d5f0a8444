#!/usr/bin/env bash
# Installs what building, playing and testing Zarvo need on Debian 12, skipping what is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-dev clang-format git
  libgtest-dev libbenchmark-dev libcli11-dev
  libgtkmm-3.0-dev
  xvfb xauth xdotool imagemagick x11-utils xclip
  python3-gi gir1.2-atspi-2.0 python3-pyatspi at-spi2-core dbus-daemon python3-xlib
  dpkg-dev desktop-file-utils appstream man-db groff-base librsvg2-bin librsvg2-common
  gettext locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
