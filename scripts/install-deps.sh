#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Safe to run again:
# it only asks apt for what is missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

pkgs=(cmake make g++ mingw-w64 wine64 xvfb xauth googletest libgtest-dev x11-utils
      imagemagick nsis clang libclang-rt-14-dev xdotool bc)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
# 32-bit programs run only with wine32; without it they exit 0 silently.
have wine32:i386 || need+=("wine32:i386")

if [ ${#need[@]} -eq 0 ]; then exit 0; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "installing: ${need[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
