#!/usr/bin/env bash
# Installs what building and testing Orvane needs on Debian 12: the native and mingw-w64
# toolchains (with ccache, which scripts/test.sh uses), GoogleTest and Google Benchmark,
# Wine (64- and 32-bit), Xvfb and the X tools the end-to-end tests drive it with, a Japanese
# font, and the sound tools for test media.
# Safe to run again: when everything is in place it returns without touching apt.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libgtest-dev libbenchmark-dev python3 ccache
  g++-mingw-w64-x86-64 g++-mingw-w64-i686
  wine wine64 wine32:i386
  xvfb xdotool imagemagick x11-utils x11-xserver-utils fonts-ipafont-gothic
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base sox lame
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

if [[ ${#missing[@]} -eq 0 && $i386_enabled == true ]]; then
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
echo "setup: done"
