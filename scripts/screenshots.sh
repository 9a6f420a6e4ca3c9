#!/usr/bin/env bash
# Screenshots of the window as an operator meets it, on a virtual screen of the
# given size: every page, the menus, the dialogs, a message box with its
# details, and a long send with its greyed page and "Cancelar". The window runs
# against the controller emulator, driven by the keyboard (xdotool), as a person
# would drive it.
#
#   scripts/screenshots.sh OUT_DIR [WIDTHxHEIGHT ...]   (default: 800x600 1024x768)
#
# Needs a built tree (build/default); installs Xvfb, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$(realpath -m "${1:?usage: scripts/screenshots.sh OUT_DIR [WIDTHxHEIGHT ...]}")
shift
sizes=("$@")
[[ ${#sizes[@]} -gt 0 ]] || sizes=(800x600 1024x768)
./scripts/install-packages.sh --lean xvfb xdotool imagemagick
mkdir -p "$out"
bin=$root/build/default

work=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

source "$root/scripts/sample-files.sh"
write_sample_files "$work"
mkdir -p "$work/copia"

# shot NAME: the whole screen as OUT_DIR/SIZE-NAME.png.
shot() {
  sleep 0.4
  import -display "$DISPLAY" -window root "$out/$size-$1.png"
  echo "  $size-$1.png"
}
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
type_text() { xdotool type --delay 20 "$1"; }
emulator_says() { echo "$1" >"$work/emulator.ctl"; sleep 0.2; }

# click_at X Y: a click at X, Y inside the main window (the pages are laid out
# at fixed places, the same on every screen).
click_at() {
  local X Y WINDOW WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name "Terminal de Testes ZM48D" | head -1)")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
  sleep 0.3
}

focus_main() {
  xdotool windowfocus --sync "$(xdotool search --sync --name "Terminal de Testes ZM48D" | head -1)"
  sleep 0.3
}

tour() {
  focus_main
  shot page8-leitura-online
  # Ctrl+Tab walks the pages from the last one round to the first.
  local pages=(page1-config page2-funcoes-basicas page3-grupos page4-cadastro page5-feriados
               page6-tx page7-pilha)
  for page in "${pages[@]}"; do
    key ctrl+Tab
    shot "$page"
  done
  # The menus, by their mnemonics.
  key alt+c
  shot menu-controlador
  key Escape Escape
  key alt+e
  shot menu-exibir
  key Escape Escape
  key ctrl+t
  shot trace-pane
  key ctrl+t
  # The dialogs of the menus.
  key alt+c p
  shot dialog-portas
  key Escape
  focus_main
  key alt+c i
  sleep 0.5
  shot window-site
  key ctrl+w
  focus_main
  key alt+e h
  shot window-historico
  key ctrl+w
  focus_main
  # "TX" from the keyboard: the three paths typed, Ctrl+Enter sends; halfway
  # the page is greyed and "Cancelar" waits on the status bar.
  key ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab  # page 6
  key Tab
  type_text "$work/h.txt"
  key Tab Tab
  type_text "$work/g.txt"
  key Tab Tab
  type_text "$work/t.txt"
  shot tx-filled
  xdotool key ctrl+Return
  sleep 2
  shot tx-sending
  sleep 6
  shot tx-sent
  # "Funções básicas" (four pages on): Enter on the focused "Beep" with the
  # controller silent; the page greys while it waits, then the failure's box
  # with its details.
  key ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab
  key Tab
  emulator_says "fault no-answer"
  xdotool key Return
  sleep 0.5
  shot beep-waiting
  sleep 3
  shot box-erro
  key Tab Return
  shot box-erro-detalhes
  key Escape
  emulator_says "fault none"
  focus_main
  # A reader timeout of 99 s, written: the status line says what was stored.
  click_at 394 165  # "Leitor 1 (s)"
  key ctrl+a
  type_text 99
  click_at 411 287  # its "Grava"
  sleep 1
  shot box-timeout-gravado
  key Return
  shot status-timeout-cortado
  # "Zerar memória" asks first; "Não" is the default.
  click_at 62 443
  sleep 0.5
  shot box-zerar-memoria
  key Escape
  # A backup into a folder, then again into the same one: the question, which
  # Enter answers with its default, "Não".
  focus_main
  key alt+c s
  type_text "$work/copia"
  xdotool key Return
  sleep 1
  key Return  # an Enter meanwhile does not stop the backup
  sleep 15
  shot backup-done
  key Return
  focus_main
  key alt+c s
  type_text "$work/copia"
  xdotool key Return
  sleep 1
  shot box-substituir
  key Return
  shot backup-status
}

for size in "${sizes[@]}"; do
  echo "== $size"
  display=:$((90 + RANDOM % 9))
  Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
  rm -f "$work/com1" "$work/emulator.ctl"
  "$bin/zm48d-emulator" --link "$work/com1" --control "$work/emulator.ctl" \
    --state "$work/emulator.bin" --pace </dev/null >"$work/emulator.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [[ -e "$work/com1" && -p "$work/emulator.ctl" ]] && break; sleep 0.1; done
  (cd "$work" && ZM48D_COM1="$work/com1" ZM48D_DB="$work/events.db" \
     "$bin/zm48d-terminal" >"$work/terminal.log" 2>&1) &
  pids+=($!)
  tour
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  pids=()
done
