#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, and nothing when all is there.
# As root it installs; as anyone else it says what is missing and stops.
set -euo pipefail

packages=(cmake g++ googletest clang-14 libclang-rt-14-dev
          g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine32:i386 wine64 fonts-wine xvfb fonts-wqy-microhei imagemagick locales)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$p")
  fi
done
have_locale() { locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; }
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 -eq 0 ] && have_locale; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Dusklock set-up: these are missing and need root to install:" >&2
  [ $need_i386 -eq 1 ] && echo "  the i386 architecture:  dpkg --add-architecture i386 && apt-get update" >&2
  [ ${#missing[@]} -gt 0 ] && echo "  packages:  apt-get install ${missing[*]}" >&2
  have_locale || echo "  the zh_CN.UTF-8 locale:  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8" >&2
  echo "Run this script as root (sudo $0) or install them by hand." >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ $need_i386 -eq 1 ]; then
  dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_i386 -eq 1 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi
if ! have_locale; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
echo "Dusklock set-up: done."
