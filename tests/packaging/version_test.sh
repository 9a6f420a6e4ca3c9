#!/usr/bin/env bash
# Each program prints its name and the project's one version, the window without
# a display.   version_test.sh BIN_DIR VERSION
set -euo pipefail
bin=$1 version=$2
failed=0
for program in zm48d zm48d-emulator zm48d-terminal; do
  [[ -x $bin/$program ]] || continue  # the window is not built everywhere
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --version)
  if [[ $got != "$program $version" ]]; then
    echo "$program --version printed '$got', not '$program $version'" >&2
    failed=1
  fi
done
exit $failed
