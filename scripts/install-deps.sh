#!/usr/bin/env bash
# Installs every Debian 12 package the build, the app, the tests and the fuzzer need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git ca-certificates
  qt6-base-dev qt6-declarative-dev qt6-tools-dev-tools
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
  qml6-module-qtquick-templates qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qtquick-dialogs qml6-module-qtquick-shapes qml6-module-qtqml-models
  qt6-charts-dev qml6-module-qtcharts
  qt6-connectivity-dev qt6-positioning-dev qml6-module-qtpositioning libqt6positioning6-plugins
  qt6-multimedia-dev qml6-module-qtmultimedia gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-sqlite qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
  libzbar-dev qrencode zint
  xvfb xauth libgl1-mesa-dri libglx-mesa0 libegl-mesa0 fonts-dejavu-core imagemagick x11-apps
  xdg-utils clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
