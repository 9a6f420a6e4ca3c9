#!/usr/bin/env bash
# Installs the package as a user would (apt-get install ./zm48d_*.deb, which
# pulls in what it depends on), checks the installed programs, then removes it.
#   scripts/check-installed-package.sh PACKAGE.deb
# Runs on a Debian 12 system or in a chroot of one; needs root (or sudo).
set -euo pipefail
deb=$(realpath "$1")
as_root=()
[[ $(id -u) -ne 0 ]] && as_root=(sudo)
work=$(mktemp -d)
emulator=
cleanup() {
  [[ -n $emulator ]] && kill "$emulator" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Without the recommended packages, so that what it declares must be enough.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb"
version=$(dpkg-deb --field "$deb" Version)

for program in zm48d zm48d-emulator zm48d-terminal; do
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)
  [[ $got == "$program $version" ]] || { echo "$program --version: '$got'" >&2; exit 1; }
done

# The command line against the installed emulator, over a pseudo-terminal.
zm48d-emulator --link "$work/com1" </dev/null >"$work/emulator.log" 2>&1 &
emulator=$!
for _ in $(seq 50); do [[ -e $work/com1 ]] && break; sleep 0.1; done
ZM48D_COM1=$work/com1 zm48d beep
echo "zm48d beep: the installed emulator answered"

# The window as the desktop menu starts it: the entry's command, on a display
# when xvfb-run is there, else on Qt's offscreen platform. It must still be
# running after three seconds.
desktop=/usr/share/applications/zm48d-terminal.desktop
command=$(sed -n 's/^Exec=//p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f /usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || { echo "no icon $icon" >&2; exit 1; }
start_window() {
  if command -v xvfb-run >/dev/null; then
    ZM48D_COM1=$work/com1 xvfb-run -a timeout 3 "$command"
  else
    ZM48D_COM1=$work/com1 QT_QPA_PLATFORM=offscreen timeout 3 "$command"
  fi
}
status=0
start_window >"$work/window.log" 2>&1 || status=$?
if [[ $status -ne 124 ]]; then
  echo "the window from $desktop ended with status $status:" >&2
  cat "$work/window.log" >&2
  exit 1
fi
echo "zm48d-terminal from its desktop entry ran until it was stopped"

bash -c 'source /usr/share/bash-completion/completions/zm48d && complete -p zm48d' >/dev/null
if command -v man >/dev/null; then man -w zm48d zm48d-emulator >/dev/null; fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y zm48d
if dpkg-query -W -f='${Status}' zm48d 2>/dev/null | grep -q 'install ok installed' || [[ -e /usr/bin/zm48d ]]; then
  echo "zm48d is still installed" >&2
  exit 1
fi
echo "Installed, checked and removed: $(basename "$deb")"
