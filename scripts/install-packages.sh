#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only when one is missing.
# qt6-qpa-plugins holds the platform plugins (xcb for the window, offscreen for
# the window tests); apt normally pulls it in as a recommendation of Qt, but not
# on systems that skip recommendations.
#   scripts/install-packages.sh [MORE_PACKAGES...]   (the fuzz and package scripts add theirs)
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev libbenchmark-dev
          "$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
