#!/usr/bin/env bash
# Prints the frames of a full send (49 holidays, 65 groups, 999 tags) and of
# `events --clear` with 3 events waiting, against a fresh emulator, without the
# time stamps, each command's frames first and its output after them: two builds
# that put the same bytes on the wire print the same text.
#   scripts/wire-trace.sh [BIN_DIR] > frames.txt   (default build/default)
set -euo pipefail
bin=$(cd "${1:-build/default}" && pwd)
work=$(mktemp -d)
trap 'kill $emulator 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

source "$(dirname "$0")/sample-files.sh"
write_sample_files "$work"

mkfifo "$work/in"
"$bin/zm48d-emulator" --link "$work/com" --control "$work/ctl" <"$work/in" >"$work/emulator.log" 2>&1 &
emulator=$!
exec 3>"$work/in"
for _ in $(seq 50); do [[ -e "$work/com" && -p "$work/ctl" ]] && break; sleep 0.1; done

strip() { sed -E 's/^[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3} //'; }
# zm48d ARGS...: its trace and messages, then its output.
zm48d() {
  "$bin/zm48d" --port "$work/com" --trace "$@" 2>&1 >"$work/out" | strip
  cat "$work/out"
}
echo "# send"
zm48d send --holidays "$work/h.txt" --groups "$work/g.txt" --tags "$work/t.txt"
for e in "00A1B2 071226 140533 10" "A10001 081226 080000 91" "123456 091226 235959 23"; do
  echo "event $e" >"$work/ctl"
done
sleep 0.3
echo "# events --clear"
zm48d events --clear
