#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those that are missing.
set -euo pipefail

packages=(
  cmake make g++ python3
  g++-mingw-w64-x86-64-posix
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  wine wine64 fonts-wine fonts-liberation2
  xvfb xauth xdotool x11-utils imagemagick xclip xcompmgr openbox
  clang libclang-rt-14-dev valgrind
  nsis
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
# Through env, so that the setting survives sudo, which starts commands with a clean environment.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
