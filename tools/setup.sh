#!/usr/bin/env bash
# Installs everything that any target needs. Idempotent: quiet and quick when all is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 wine32:i386
  xvfb xauth x11-utils xdotool xfonts-base
  googletest libgtest-dev libbenchmark-dev
  libsdl2-dev libpixman-1-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libjpeg-dev libpng-dev libgif-dev libtiff-dev libwebp-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
