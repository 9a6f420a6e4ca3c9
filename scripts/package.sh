#!/usr/bin/env bash
# Builds the Debian package (build/package/zm48d_<version>_<arch>.deb) from the
# default build and checks what it declares and holds.
#   scripts/package.sh             build and check the package
#   scripts/package.sh --install   then install it with apt-get as a user would,
#                                  run the installed programs, and remove it again
set -euo pipefail
cd "$(dirname "$0")/.."

install=false
case "${1:-}" in
  "") ;;
  --install) install=true ;;
  *) echo "usage: scripts/package.sh [--install]" >&2; exit 2 ;;
esac

# dpkg-shlibdeps (dpkg-dev) finds the libraries' packages; CPack uses file to find the programs.
./scripts/install-packages.sh
./scripts/install-packages.sh --lean dpkg-dev file
cmake --preset default
cmake --build --preset default
rm -rf build/package
cpack --config build/default/CPackConfig.cmake -B build/package
deb=$(ls build/package/zm48d_*.deb)
echo "Package: $deb"

dpkg-deb --info "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libc6 libstdc++6 libqt6widgets6 libqt6charts6 qt6-qpa-plugins; do
  if [[ $depends != *"$needed"* ]]; then
    echo "$deb does not depend on $needed: $depends" >&2
    exit 1
  fi
done
contents=$(dpkg-deb --contents "$deb")
for file in /usr/bin/zm48d /usr/bin/zm48d-emulator /usr/bin/zm48d-terminal \
            /usr/share/applications/zm48d-terminal.desktop \
            /usr/share/icons/hicolor/scalable/apps/zm48d-terminal.svg \
            /usr/share/man/man1/zm48d.1.gz /usr/share/man/man1/zm48d-emulator.1.gz \
            /usr/share/bash-completion/completions/zm48d; do
  if ! grep -q " \.$file\$" <<<"$contents"; then
    echo "$deb does not hold $file" >&2
    exit 1
  fi
done
echo "The package declares its dependencies and holds every file."

if $install; then
  exec ./scripts/check-installed-package.sh "$deb"
fi
