#!/usr/bin/env bash
# Installs Debian 12 packages, only when one is missing (through sudo when not root).
#   scripts/install-packages.sh                     the packages the build needs
#   scripts/install-packages.sh --lean PACKAGE...   the given ones, without the
#                                                   packages they only recommend
# qt6-qpa-plugins holds the platform plugins (xcb for the window, offscreen for
# the window tests); apt normally pulls it in as a recommendation of Qt, but not
# on systems that skip recommendations. qt6-translations-l10n puts the toolkit's
# own dialogs and buttons into the window's Portuguese; Qt Charts draws the
# history's charts. The event store goes
# through SOCI, whose headers want Boost's; its tests start their own PostgreSQL
# server. The network port tests and benchmarks put their own ser2net in front
# of the emulator. toml++ reads the site files; clang-format checks the sources'
# layout.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev qt6-qpa-plugins qt6-translations-l10n libgtest-dev libgmock-dev
          libbenchmark-dev libsoci-dev libboost-dev libsqlite3-dev libpq-dev postgresql
          ser2net libtomlplusplus-dev clang-format)
apt_options=()
if [[ "${1:-}" == --lean ]]; then
  shift
  packages=("$@")
  apt_options=(--no-install-recommends)
fi

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
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${apt_options[@]}" "${missing[@]}"
