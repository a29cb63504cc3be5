#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Safe to run again:
# it only asks apt for what is missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

pkgs=(locales cmake make g++ mingw-w64 wine64 xvfb xauth googletest libgtest-dev x11-utils
      imagemagick nsis clang libclang-rt-14-dev xdotool bc)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
# 32-bit programs run only with wine32; without it they exit 0 silently.
have wine32:i386 || need+=("wine32:i386")

# The double-byte tests run Wine under ja_JP.UTF-8: without the real locale
# Wine still picks code page 932 but cannot name files outside ASCII.
gen_locale() {
  if locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then return 0; fi
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
}

if [ ${#need[@]} -eq 0 ]; then gen_locale; exit 0; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "installing: ${need[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${need[@]}" >/dev/null
gen_locale
