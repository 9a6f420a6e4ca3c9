#!/usr/bin/env bash
# `cmake --install` puts the programs, the window's desktop entry and icon, the
# manual pages and the completion where a desktop and man look for them, and the
# installed programs run.   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
for file in bin/zm48d bin/zm48d-emulator share/man/man1/zm48d.1.gz share/man/man1/zm48d-emulator.1.gz \
            share/bash-completion/completions/zm48d; do
  [[ -f $prefix/$file ]] || { echo "not installed: $file" >&2; failed=1; }
done
if [[ -x $build/zm48d-terminal ]]; then
  for file in bin/zm48d-terminal share/applications/zm48d-terminal.desktop \
              share/icons/hicolor/scalable/apps/zm48d-terminal.svg; do
    [[ -f $prefix/$file ]] || { echo "not installed: $file" >&2; failed=1; }
  done
  desktop=$prefix/share/applications/zm48d-terminal.desktop
  if ! grep -qx 'Exec=zm48d-terminal' "$desktop" || ! grep -qx 'Icon=zm48d-terminal' "$desktop"; then
    echo "the desktop entry does not start the window with its icon" >&2
    failed=1
  fi
  if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop" || failed=1; fi
fi
gzip -t "$prefix"/share/man/man1/*.gz || failed=1
"$prefix/bin/zm48d" --version >/dev/null || failed=1
exit $failed
