#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for building and testing; skips
# what is there, so a second run does nothing.
set -eu
packages=(
  cmake ninja-build g++ python3 libsqlite3-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb xauth fonts-wine fonts-wqy-microhei fonts-dejavu-core
  librsvg2-bin imagemagick adb x11-apps clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""; [ "$(id -u)" = 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
