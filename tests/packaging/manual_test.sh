#!/usr/bin/env bash
# The manual pages name every command and option the programs' help lists.
#   manual_test.sh BIN_DIR PACKAGING_DIR
set -euo pipefail
bin=$1 pages=$2
failed=0

# Roff writes "-" as "\-": compare the page with its escapes taken out.
page_text() { sed 's/\\-/-/g; s/\\f[BIRP]//g' "$1"; }

expect_in_page() {
  local page=$1 word=$2 text
  text=$(page_text "$pages/$page")
  if ! grep -qE "(^|[ .\"])$word([ ,;\"]|$)" <<<"$text"; then
    echo "$page does not describe $word" >&2
    failed=1
  fi
}

help=$("$bin/zm48d" --help)
for command in $(sed -n '/^commands:$/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' <<<"$help" | sort -u); do
  expect_in_page zm48d.1 "$command"
done
for option in $(grep -oE '^  --[a-z-]+' <<<"$help"); do
  expect_in_page zm48d.1 "$option"
done
for option in $("$bin/zm48d-emulator" --help | grep -oE -- '--[a-z-]+' | sort -u); do
  expect_in_page zm48d-emulator.1 "$option"
done
exit $failed
