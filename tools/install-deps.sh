#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the application and
# the tests need and this machine lacks. Run as root on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  locales fonts-dejavu-core
  xvfb xauth xdotool x11-xkb-utils x11-utils xclip openbox iproute2
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, so that the number-reading tests run
# rather than skip.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
