#!/usr/bin/env bash
# Installs what vornSDK needs on Debian 12 (build tools, host libraries, fonts, test tools).
# Only packages that are missing are installed, so a prepared machine starts at once.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libsdl2-image-dev libfreetype-dev libfontconfig-dev
  libfluidsynth-dev libmpg123-dev libsndfile1-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xdotool imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""; [ "$(id -u)" = 0 ] || sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
