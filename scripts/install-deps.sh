#!/usr/bin/env bash
# Installs the Debian packages the build, the games and the tests need, when any is missing.
set -eu
pkgs="build-essential cmake pkg-config libsdl1.2-dev libsdl-mixer1.2-dev libgl-dev libglu1-mesa-dev
libfreetype-dev fonts-freefont-ttf libgtest-dev googletest libbenchmark-dev xvfb xauth
vorbis-tools python3 libbox2d-dev clang libclang-rt-dev clang-format git"
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "Missing packages:$missing"
    echo "Run as root: apt-get install -y$missing"
    exit 1
  fi
else SUDO=""; fi
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
