#!/usr/bin/env bash
# Installs what building and testing Orvane needs on Debian 12: the native and mingw-w64
# toolchains (with ccache, which scripts/test.sh uses), GoogleTest and Google Benchmark,
# libFuzzer's headers, libjpeg, Wine (64- and 32-bit, each with the GStreamer plugins its
# multimedia interface decodes MP3 with), Xvfb, Xephyr and the X tools the end-to-end tests
# drive it with, a Japanese font and locale, the sound tools for test media, and debootstrap
# for the fresh-machine check.
# Safe to run again: when everything is in place it returns without touching apt.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev libjpeg-dev
  python3 ccache procps zip unzip
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  wine wine64 wine32:i386
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base
  gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386
  xvfb xserver-xephyr xdotool imagemagick x11-utils x11-xserver-utils
  fonts-ipafont-gothic locales sox lame debootstrap
)

sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi

native=$(dpkg --print-architecture)
# Installed for the named architecture (the native one when none is named); some packages
# are installed for both, and architecture-independent ones report "all".
is_installed() {
  local name=${1%%:*} arch=$native
  [[ $1 == *:* ]] && arch=${1#*:}
  dpkg-query -W -f='${db:Status-Status} ${Architecture}\n' "$name" 2>/dev/null |
    grep -Eq "^installed ($arch|all)\$"
}

missing=()
for pkg in "${packages[@]}"; do
  is_installed "$pkg" || missing+=("$pkg")
done
i386_enabled=false
if [[ $native == i386 ]] || dpkg --print-foreign-architectures | grep -qx i386; then
  i386_enabled=true
fi

# Japanese file names reach Wine intact only under a glibc Japanese locale that exists.
make_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
  echo "setup: generating the ja_JP.UTF-8 locale"
  "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

if [[ ${#missing[@]} -eq 0 && $i386_enabled == true ]]; then
  make_locale
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [[ $i386_enabled == false ]]; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]:-(i386 architecture only)}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "${packages[@]}" </dev/null
make_locale
echo "setup: done"
