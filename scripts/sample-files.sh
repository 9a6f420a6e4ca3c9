# shellcheck shell=bash
# Sourced by the scripts that send a full set of files to an emulator.
# write_sample_files DIR: DIR/h.txt (49 holidays), DIR/g.txt (65 groups, odd ones
# allowed on holidays) and DIR/t.txt (999 tags), Windows-1252 with CR LF as the
# editors save them.
write_sample_files() {
  local dir=$1 i f
  crlf() { sed 's/$/\r/'; }
  { echo ZM48D-FERIADOS; echo 49; for i in $(seq 1 49); do printf '%02d/12*Dia\n' "$i"; done; } | crlf >"$dir/h.txt"
  { echo ZM48D-GRUPOS; echo 65; for i in $(seq 1 65); do
      if (( i % 2 )); then f=Sim; else f=$'N\xe3o'; fi
      printf '%02d*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*08:00*18:00*00:00*23:59*00:00*23:59*%s\n' "$i" "$f"
    done; } | crlf >"$dir/g.txt"
  { echo ZM48D-LISTA; echo 999; for i in $(seq 0 998); do printf '%06X*05*%03d*Tag %d\n' $((0xA10000 + i)) $((i % 7)) "$i"; done; } | crlf >"$dir/t.txt"
}
