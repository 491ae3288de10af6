#!/usr/bin/env bash
# Installs the Debian packages Tarvo builds and tests with, when they are missing.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev portaudio19-dev libhamlib-dev libhamlib-utils libgtest-dev
          libgmock-dev dpkg-dev file desktop-file-utils pulseaudio libasound2-plugins)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
