#!/usr/bin/env bash
# The bash completion of zm48d offers the commands of the zm48d it completes and
# the words each command takes.   completion_test.sh BIN_DIR COMPLETION_FILE
set -uo pipefail
bin=$1
# shellcheck source=/dev/null
source "$2"
failed=0

# complete "WORDS TYPED" "EXPECTED CANDIDATES": the last word is the one completed.
complete_as() {
  local typed=$1 expected=$2
  read -ra COMP_WORDS <<<"$typed"
  [[ $typed == *" " ]] && COMP_WORDS+=("")
  COMP_WORDS[0]=$bin/zm48d
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zm48d
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  if [[ $got != "$expected" ]]; then
    echo "'$typed': got '$got', expected '$expected'" >&2
    failed=1
  fi
}

complete_as "zm48d rel" "relay relay-times"
complete_as "zm48d --port /dev/null --trace ev" "events"
complete_as "zm48d --ver" "--version"
complete_as "zm48d --com " "1 2 3 4 5 6 7 8"
complete_as "zm48d eeprom " "read write"
complete_as "zm48d eeprom read " ""
complete_as "zm48d send --holidays h.txt --g" "--groups"
complete_as "zm48d watch --" "--count --interval"
complete_as "zm48d relay " "1 2 3 4"
complete_as "zm48d harvest --k" "--keep"
complete_as "zm48d history --tag 00A1B2 --s" "--summary"
complete_as "zm48d history --door " "1 2 3 4"
exit $failed
