#!/usr/bin/env bash
# Installs every system package strokelink needs on Debian 12: compilers for
# the four targets, Wine and Xvfb for the Windows tests, X11/Xt and the
# 32-bit Java runtime for the Linux tests, qemu for running i386 programs.
# Idempotent, and quick when everything is already present.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "setup.sh must run as root (it installs packages)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake ninja-build pkg-config clang-format binutils
  g++-multilib gcc-multilib
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
  wine64 xvfb xauth x11-xkb-utils xkb-data x11-utils xdotool
  libx11-dev:amd64 libxt-dev:amd64 libxtst-dev:amd64
  libx11-dev:i386 libxt-dev:i386 libxtst-dev:i386 libc6-dev:i386
  openjdk-17-jdk:amd64 openjdk-17-jdk-headless:amd64
  openjdk-17-jre:i386 openjdk-17-jdk-headless:i386 openjdk-17-jdk:i386
  qemu-user-static binfmt-support
  googletest locales
)

install_missing() {
  local missing=() p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# i386 Linux programs run through qemu. The entry goes in before any i386
# package is installed, since some of their install scripts run i386 tools.
install_missing qemu-user-static binfmt-support
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" || true
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  update-binfmts --enable qemu-i386 2>/dev/null || true
fi
if [ ! -e "$binfmt/qemu-i386" ] && [ -e "$binfmt/register" ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::${magic}:${mask}:/usr/bin/qemu-i386-static:F" >"$binfmt/register"
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  echo "setup: could not register qemu for i386 programs" >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update
fi
install_missing "${packages[@]}"

# Locales Wine uses to pick the French and Japanese keyboard layouts.
need_locale_gen=0
for loc in fr_FR ja_JP; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    need_locale_gen=1
  fi
done
if [ "$need_locale_gen" = 1 ]; then
  locale-gen
fi

echo "setup: done"
