#!/usr/bin/env bash
# The Windows build, run under Wine against the Linux controller emulator.
#
# Cross-builds the serial link, the protocol, zm48d.exe and the tests that need
# no Qt with MinGW-w64 (preset `windows`, build/windows), makes a throwaway Wine
# prefix whose COM 1 is the pseudo-terminal of a zm48d-emulator, and runs:
#   - the Windows test executables (ctest --preset windows), the kernel32 link
#     tests on COM 1 with faults put on the line through the emulator's console;
#   - zm48d.exe end to end: beep, clock, send (the emulator's memory then equals
#     that of a second emulator which the Linux zm48d sent the same files to),
#     events --csv, events --clear on a full disk, watch, Ctrl+C in watch, and a COM
#     port that does not exist;
#   - zm48d.exe over the network: the Winsock link to a ser2net in front of a third
#     emulator, on rfc2217:// and socket://, 0xFF bytes both ways, a second client
#     refused, a port with nothing behind it;
#   - zm48d.exe site: a send --verify and a status on COM 1, the ser2net port and
#     a COM port that does not exist, all at once.
# Installs what is missing. The Linux emulator and zm48d come from build/default
# (scripts/test.sh builds it; the two targets are brought up to date here).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$SECONDS

./scripts/install-packages.sh
# googletest: the GoogleTest sources, built with the MinGW compiler.
./scripts/install-packages.sh --lean g++-mingw-w64-x86-64 wine wine64 googletest ser2net

if [[ ! -f build/default/build.ninja ]]; then
  cmake --preset default
fi
cmake --build build/default --target zm48d-emulator zm48d
cmake --preset windows
cmake --build --preset windows
built=$SECONDS

linux=$root/build/default
exe=$root/build/windows/zm48d.exe
work=$(mktemp -d)
emulators=()
servers=()
stop() {
  if [[ "${WINEPREFIX:-}" == "$work/prefix" ]]; then wineserver -k 2>/dev/null || true; fi
  for pid in "${servers[@]}" "${emulators[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
# Only the script itself cleans up: a subshell that a signal ends runs the trap too.
trap '[[ $BASHPID == "$$" ]] && stop' EXIT

# start_emulator NAME: an emulator with its line at $work/NAME.com, its console
# pipe at $work/NAME.ctl and its memory kept in $work/NAME.bin.
start_emulator() {
  local name=$1
  "$linux/zm48d-emulator" --link "$work/$name.com" --control "$work/$name.ctl" \
    --state "$work/$name.bin" </dev/null >"$work/$name.log" 2>&1 &
  emulators+=($!)
  for _ in $(seq 50); do
    [[ -e "$work/$name.com" && -p "$work/$name.ctl" ]] && return 0
    sleep 0.1
  done
  echo "the emulator $name did not start:" >&2
  cat "$work/$name.log" >&2
  return 1
}
start_emulator windows  # behind COM 1
start_emulator linux    # the reference for the Linux zm48d
start_emulator network  # behind ser2net

# ser2net in front of the third emulator, loopback only, with the settings the
# README gives a site: no Nagle, no character delay.
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
rfc2217_port=$(free_port)
raw_port=$(free_port)
network_device=$(readlink -f "$work/network.com")
cat >"$work/ser2net.yaml" <<YAML
connection: &rfc2217
  accepter: telnet(rfc2217),tcp(nodelay),127.0.0.1,$rfc2217_port
  connector: serialdev,$network_device,19200n81,local
  options:
    chardelay: false
connection: &raw
  accepter: tcp(nodelay),127.0.0.1,$raw_port
  connector: serialdev,$network_device,19200n81,local
  options:
    chardelay: false
YAML
ser2net -n -c "$work/ser2net.yaml" -P "$work/ser2net.pid" >"$work/ser2net.log" 2>&1 &
servers+=($!)
for _ in $(seq 50); do
  (exec 3<>"/dev/tcp/127.0.0.1/$raw_port") 2>/dev/null && break
  sleep 0.1
done

# The prefix. Wine's mount manager maps /dev/ttyS* to COM ports of its own at
# every start and would replace a bare dosdevices/com1 symlink; an entry under
# HKLM\Software\Wine\Ports is what makes it link com1 to the emulator instead.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "Creating the Wine prefix (the first one takes a while)"
if ! wineboot -i >"$work/wineboot.log" 2>&1; then
  cat "$work/wineboot.log" >&2
  exit 1
fi
wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/windows.com" /f >/dev/null
wineserver -w
wine reg query 'HKLM\Software\Wine\Ports' >/dev/null  # a start that makes the links
if [[ "$(readlink "$WINEPREFIX/dosdevices/com1")" != "$work/windows.com" ]]; then
  echo "COM 1 is not the emulator: $(ls -l "$WINEPREFIX/dosdevices")" >&2
  exit 1
fi
if [[ -e "$WINEPREFIX/dosdevices/com8" ]]; then
  echo "COM 8 exists in the prefix, the missing-port check needs it free" >&2
  exit 1
fi
prefixed=$SECONDS

echo "== Windows tests under Wine"
ZM48D_EMULATOR_CONTROL=$(winepath -w "$work/windows.ctl")
export ZM48D_EMULATOR_CONTROL
ctest --preset windows -E windows.link
ctest --preset windows -R windows.link --verbose  # with its timings and what Wine skips
# The console's code page needs a console, which Wine gives a program on a terminal.
script -qec "wine '$root/build/windows/tests/test_cli.exe' --gtest_filter='Utf8ConsoleOutput.*' \
  --gtest_output=xml:'$(winepath -w "$work/console.xml")'" /dev/null >"$work/console.log"
if ! grep -q 'tests="1" failures="0" disabled="0" skipped="0" errors="0"' "$work/console.xml"; then
  echo "the console test did not pass on a terminal:" >&2
  cat "$work/console.xml" >&2
  exit 1
fi
tested=$SECONDS

echo "== zm48d.exe under Wine"
failures=0
pass() { echo "ok    $1"; }
fail() {
  echo "FAIL  $1"
  failures=$((failures + 1))
}

# zm48d [ARGS...]: zm48d.exe in $work, so that file names are relative; its
# output in $work/out and $work/err, its exit status in $status.
zm48d() {
  set +e
  (cd "$work" && wine "$exe" "$@" >"$work/out" 2>"$work/err")
  status=$?
  set -e
}

# same NAME STATUS OUT ERR: the last zm48d's exit status is STATUS, and its
# standard output and error are the files OUT and ERR with every line ended by
# CR LF, as Windows ends them.
same() {
  local name=$1
  if [[ $status -eq $2 ]] && cmp -s <(sed 's/$/\r/' "$3") "$work/out" &&
     cmp -s <(sed 's/$/\r/' "$4") "$work/err"; then
    pass "$name"
  else
    fail "$name: status $status (expected $2)"
    echo "      out: $(od -c "$work/out" | head -5)"
    echo "      err: $(od -c "$work/err" | head -5)"
  fi
}
# expect NAME STATUS OUT ERR: the same with the texts OUT and ERR.
expect() {
  printf '%s' "$3" >"$work/expected.out"
  printf '%s' "$4" >"$work/expected.err"
  same "$1" "$2" "$work/expected.out" "$work/expected.err"
}
# linux_zm48d ARGS...: the Linux zm48d on the reference emulator, in $work; its
# output in $work/linux.out and linux.err, its exit status in $linux_status.
linux_zm48d() {
  set +e
  (cd "$work" && "$linux/zm48d" --port "$work/linux.com" "$@" >"$work/linux.out" 2>"$work/linux.err")
  linux_status=$?
  set -e
}
# as_linux NAME: the last zm48d.exe did what the last Linux zm48d did.
as_linux() { same "$1" "$linux_status" "$work/linux.out" "$work/linux.err"; }

zm48d beep
expect "beep" 0 "" ""
zm48d --trace beep
if grep -Eq '^[0-9:.]{12} -> 02 AA 1E 48 00 1C 03 31 04'$'\r''$' "$work/err" &&
   grep -Eq '^[0-9:.]{12} <- 02 AA 1E 02 1C 4F 4B 03 85 04'$'\r''$' "$work/err"; then
  pass "beep --trace: the frames on the wire"
else
  fail "beep --trace: $(cat "$work/err")"
fi
zm48d --port '\\.\COM1' beep
expect "beep on --port \\\\.\\COM1" 0 "" ""

zm48d clock --set "07/12/26 14:05:09"
expect "clock --set" 0 $'Relógio configurado!!\n' ""
zm48d clock
expect "clock" 0 $'07/12/26 14:05:09 Segunda\n' ""

source "$root/scripts/sample-files.sh"
write_sample_files "$work"
send=(send --holidays h.txt --groups g.txt --tags t.txt)
linux_zm48d "${send[@]}"
zm48d "${send[@]}"
as_linux "send of 49 holidays, 65 groups and 999 tags, as the Linux zm48d"
if [[ $status -eq 0 && -s "$work/windows.bin" ]] && cmp -s "$work/windows.bin" "$work/linux.bin"; then
  pass "send: the controller's memory equals the one the Linux zm48d wrote"
else
  fail "send: the controller's memory differs from the one the Linux zm48d wrote"
fi
linux_zm48d settings read 0x8000
zm48d settings read 0x8000
as_linux "settings read 0x8000, as the Linux zm48d"
linux_zm48d eeprom read 0 64
zm48d eeprom read 0 64
as_linux "eeprom read 0 64, as the Linux zm48d"

for event in "00A1B2 071226 140533 10" "00A1B3 071226 140534 D0" "123456 091226 235959 23"; do
  echo "event $event" >"$work/windows.ctl"
done
sleep 0.3
zm48d events --csv
expect "events --csv" 0 $'TAG,Data,Hora,Acesso,Porta,Feriado,Motivo
00A1B2,07/12/26,14:05:33,Sim,Porta 1,Não,ok!
00A1B3,07/12/26,14:05:34,Sim,Porta 1,Não,porta não habilitada!
123456,09/12/26,23:59:59,Não,Porta 4,Sim,ok!\n' ""

# events --clear empties the stack only after its rows reached the output: on a
# full disk they stay on the controller, and a later run that can write them
# empties it.
set +e
(cd "$work" && wine "$exe" events --clear >/dev/full 2>"$work/err")
status=$?
set -e
if [[ $status -eq 1 ]] && grep -qF "a pilha não foi apagada, os registros continuam no controlador" "$work/err"; then
  pass "events --clear on a full disk fails and says the events stay"
else
  fail "events --clear on a full disk: status $status, err: $(cat "$work/err")"
fi
zm48d events --clear --csv
expect "events --clear --csv after the full disk: every event still there" 0 $'TAG,Data,Hora,Acesso,Porta,Feriado,Motivo
00A1B2,07/12/26,14:05:33,Sim,Porta 1,Não,ok!
00A1B3,07/12/26,14:05:34,Sim,Porta 1,Não,porta não habilitada!
123456,09/12/26,23:59:59,Não,Porta 4,Sim,ok!\n' ""
zm48d events --csv
expect "events --csv after the clear: none left" 0 $'TAG,Data,Hora,Acesso,Porta,Feriado,Motivo\n' ""

echo "reader 0 00A1B2 05" >"$work/windows.ctl"
sleep 0.3
# One poll's line. The controller sends the second frame of its answer 10 ms
# after the first, by when the terminal must have purged its input: on a busy
# machine Wine misses that now and then (about one poll in 500 under full
# load), and that poll's line is the page's "Erro de leitura!!", as it should.
poll="00A1B2*05 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - 000000*00 - "
# polled NAME LINES: $work/out holds LINES lines (any number when empty), each
# a poll's line or "Erro de leitura!!" and at least one a poll's, ended by CR LF;
# $work/err is empty and the exit status 0.
polled() {
  local lines
  lines=$(wc -l <"$work/out")
  if [[ $status -eq 0 && ! -s "$work/err" && $lines -ge 1 && ( -z "$2" || $lines -eq $2 ) ]] &&
     ! grep -qvxF -e "$poll"$'\r' -e $'Erro de leitura!!\r' "$work/out" &&
     grep -qxF "$poll"$'\r' "$work/out"; then
    pass "$1 ($lines polls)"
  else
    fail "$1: status $status, err: $(cat "$work/err")"
    echo "      out: $(od -c "$work/out" | head -8)"
  fi
}

zm48d watch --count 2 --interval 100
polled "watch --count 2" 2

# Ctrl+C: Wine hands a SIGINT to the program's console control handlers. When
# none takes it, Wine's default one ends the program, with status 0 unlike
# Windows, and says so on its console channel: an empty standard error with that
# channel on shows that the program's own handler took the stop.
# The signal goes only to a program that has polled, so it meets the loop.
rm -f "$work/out" "$work/err"
WINEDEBUG=-all,fixme+console wine "$exe" watch --interval 200 >"$work/out" 2>"$work/err" &
watcher=$!
for _ in $(seq 200); do
  grep -qsF "$poll" "$work/out" && break
  sleep 0.1
done
kill -INT "$watcher"
for _ in $(seq 100); do
  kill -0 "$watcher" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$watcher" 2>/dev/null; then
  kill -KILL "$watcher"
  echo "      still running 10 s after Ctrl+C"
fi
set +e
wait "$watcher"
status=$?
set -e
touch "$work/out" "$work/err"
polled "watch stops on Ctrl+C, status 0" ""
zm48d beep
expect "beep after the stopped watch" 0 "" ""

# The button's text, then the device and the system's reason (Wine's words for
# ERROR_FILE_NOT_FOUND; Windows words it "The system cannot find the file specified.").
zm48d --com 8 beep
expect "COM 8, which does not exist" 1 "" $'Erro ao abrir a porta serial!!\n\\\\.\\COM8: File not found\n'

echo "== zm48d.exe over the network (Winsock, ser2net)"
rfc2217="rfc2217://127.0.0.1:$rfc2217_port"
raw="socket://127.0.0.1:$raw_port"
zm48d --port "$rfc2217" "${send[@]}"
if [[ $status -eq 0 && -s "$work/network.bin" ]] && cmp -s "$work/network.bin" "$work/linux.bin"; then
  pass "send over $rfc2217: the controller's memory equals the one the Linux zm48d wrote"
else
  fail "send over $rfc2217: status $status, err: $(cat "$work/err")"
fi
# ser2net lets go of the device a moment after a client leaves.
sleep 0.2
zm48d --port "$rfc2217" clock --set "07/12/26 14:05:09"
expect "clock --set over $rfc2217" 0 $'Relógio configurado!!\n' ""
sleep 0.2
zm48d --port "$raw" eeprom write 0x40 FFFF7FFF
expect "eeprom write FF FF 7F FF over $raw" 0 $'Gravação concluída com sucesso!\n' ""
sleep 0.2
zm48d --port "$rfc2217" eeprom read 0x40 4
expect "eeprom read over $rfc2217: the 0xFF bytes intact both ways" 0 $'0040: FF FF 7F FF\n' ""
sleep 0.2
exec 4<>"/dev/tcp/127.0.0.1/$rfc2217_port"  # a first client holds the port
sleep 0.2
# Not handed to Wine: a wineserver that this beep starts would inherit the first
# client's socket and hold the port after the script lets go of it.
zm48d --port "$rfc2217" beep 4>&-
if [[ $status -eq 1 ]] && grep -qF "the port is in use by another client" "$work/err"; then
  pass "a second client on $rfc2217 is a port in use"
else
  fail "a second client on $rfc2217: status $status, err: $(cat "$work/err")"
fi
exec 4>&-
closed_port=$(free_port)
zm48d --port "socket://127.0.0.1:$closed_port" beep
if [[ $status -eq 1 ]] && grep -q "^socket://127.0.0.1:$closed_port: " "$work/err"; then
  pass "a port with nothing behind it fails with the server and the reason: $(tail -1 "$work/err")"
else
  fail "a port with nothing behind it: status $status, err: $(cat "$work/err")"
fi

echo "== zm48d.exe site: every controller at once (std::thread of the posix MinGW)"
# COM 1 and the ser2net port emptied first, so that only the site's send can put
# the files back; COM 8 does not exist and fails alone.
# ser2net lets go of the device a moment after a client leaves, longer on a busy
# machine: the network one first, and a second's rest before each site run.
for port in "--port $rfc2217" "--com 1"; do
  # shellcheck disable=SC2086 # the option and its value
  zm48d $port reset-memory
  if [[ $status -eq 0 ]]; then pass "reset-memory, $port"; else fail "reset-memory, $port: $(cat "$work/err")"; fi
done
sleep 1
cat >"$work/site.toml" <<TOML
[[controller]]
name = "portaria"
port = "COM1"
holidays = "h.txt"
groups = "g.txt"
tags = "t.txt"

[[controller]]
name = "garagem"
port = "$rfc2217"
holidays = "h.txt"
groups = "g.txt"
tags = "t.txt"

[[controller]]
name = "deposito"
port = "COM8"
holidays = "h.txt"
groups = "g.txt"
tags = "t.txt"
TOML
zm48d site site.toml send --verify
site_status=$status
cp "$work/err" "$work/site.err"
# The Linux zm48d reads both memories back on its own: they hold the files. (The
# memories as a whole differ from the reference's: events came and went on COM 1,
# and an EEPROM word was written over the network.)
sleep 1
verify=(verify --holidays h.txt --groups g.txt --tags t.txt)
(cd "$work" && "$linux/zm48d" --port "$work/windows.com" "${verify[@]}" >/dev/null 2>&1) &&
  com1_verified=yes || com1_verified=no
(cd "$work" && "$linux/zm48d" --port "$rfc2217" "${verify[@]}" >/dev/null 2>&1) &&
  network_verified=yes || network_verified=no
if [[ $site_status -eq 1 && $com1_verified == yes && $network_verified == yes ]] &&
   grep -qF "zm48d: deposito: " "$work/site.err" &&
   ! grep -qE "zm48d: (portaria|garagem): " "$work/site.err"; then
  pass "site send --verify: COM 1 and $rfc2217 hold the files, as the Linux zm48d reads them; COM 8 fails alone"
else
  fail "site send --verify: status $site_status, verified by Linux: COM 1 $com1_verified," \
       "network $network_verified, err: $(cat "$work/site.err")"
  echo "      out: $(cat "$work/out")"
fi
sleep 1
zm48d site site.toml status
if [[ $status -eq 1 ]] && [[ $(grep -c "999" "$work/out") -ge 2 ]] &&
   grep -qF "zm48d: deposito: " "$work/err"; then
  pass "site status: 999 tags on both controllers that answer"
else
  fail "site status: status $status, err: $(cat "$work/err")"
  echo "      out: $(cat "$work/out")"
fi

finished=$SECONDS
echo "Windows stage: $((finished - started)) s (build $((built - started)) s," \
     "Wine prefix $((prefixed - built)) s, tests $((tested - prefixed)) s," \
     "zm48d.exe $((finished - tested)) s)"
if [[ $failures -ne 0 ]]; then
  echo "$failures zm48d.exe check(s) failed" >&2
  exit 1
fi
