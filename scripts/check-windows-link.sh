#!/usr/bin/env bash
# Compile check of the Windows serial backend with the MinGW cross compiler
# (the Linux build compiles that file to nothing). Installs the compiler when
# it is missing. Not part of CI: nothing here runs the code.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++
package=g++-mingw-w64-x86-64

if ! command -v "$compiler" >/dev/null 2>&1; then
  as_root=()
  if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
  fi
  echo "Installing: $package"
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$package"
fi

"$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -I"$PWD" \
  link/windows_serial_link.cpp link/serial_port.cpp
echo "Windows serial link: compiles cleanly with $compiler"
