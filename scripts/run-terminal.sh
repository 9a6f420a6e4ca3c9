#!/usr/bin/env bash
# Builds everything and opens the terminal window with "COM 1" connected to the
# controller emulator. The emulator keeps its memory in ~/.zm48d-emulator.bin
# between runs and takes console commands on /tmp/zm48d-emulator.ctl (its
# answers go to /tmp/zm48d-emulator.log). It stops when the window closes.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-packages.sh
cmake --preset default
cmake --build --preset default

bin=build/default
link=/tmp/zm48d-com1
control=/tmp/zm48d-emulator.ctl
log=/tmp/zm48d-emulator.log

rm -f "$link"
"$bin/zm48d-emulator" --link "$link" --state "$HOME/.zm48d-emulator.bin" --control "$control" \
  </dev/null >"$log" 2>&1 &
emulator=$!
stop_emulator() {
  kill "$emulator" 2>/dev/null || true
  wait "$emulator" 2>/dev/null || true
}
trap stop_emulator EXIT

for _ in $(seq 50); do
  [[ -e "$link" ]] && break
  if ! kill -0 "$emulator" 2>/dev/null; then
    echo "the emulator did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done
if [[ ! -e "$link" ]]; then
  echo "the emulator made no $link" >&2
  exit 1
fi
echo "Controller emulator on $link (console: $control, output: $log)"

ZM48D_COM1="$link" "$bin/zm48d-terminal"
