#!/usr/bin/env bash
# Installs the package into a fresh, minimal Debian 12 made with debootstrap and
# checks it there (scripts/check-installed-package.sh): what the package
# declares must be all a clean system needs. Needs root and the Debian mirror.
#   scripts/check-package-in-chroot.sh [PACKAGE.deb]   (default: build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $(id -u) -eq 0 ]] || { echo "run as root: debootstrap and chroot need it" >&2; exit 2; }

if [[ $# -gt 0 ]]; then
  deb=$(realpath "$1")
else
  ./scripts/package.sh
  deb=$(realpath build/package/zm48d_*.deb)
fi
./scripts/install-packages.sh --lean debootstrap

root=$(mktemp -d /tmp/zm48d-chroot.XXXXXX)
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
bind() {
  mount "$@"
  mounted+=("${@: -1}")
}

debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
bind -t proc proc "$root/proc"
bind --bind /dev "$root/dev"
bind --bind /dev/pts "$root/dev/pts"  # the emulator's pseudo-terminal
cp /etc/resolv.conf "$root/etc/"
cp "$deb" scripts/check-installed-package.sh "$root/root/"
chroot "$root" /bin/bash -c "cd /root && apt-get update -q && ./check-installed-package.sh $(basename "$deb")"
