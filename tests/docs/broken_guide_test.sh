#!/usr/bin/env bash
# The guide check fails on a copy of the guides broken in each way a sentence can go wrong: a
# note naming a script that is not there, a note naming a script whose expectation no longer
# holds, and a behaviour section left without any note.
# Usage: broken_guide_test.sh CHECK PENDANT_SIM DOCS_DIR
set -euo pipefail

check="$1"
sim="$2"
docs="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# Runs the check on a fresh copy of the docs changed by the sed program $2 on file $1, and
# expects it to fail with $3 in its output.
expect_caught() {
  local file="$1" edit="$2" message="$3"
  rm -rf "$work/docs"
  cp -R "$docs" "$work/docs"
  sed -i "$edit" "$work/docs/$file"
  cmp -s "$docs/$file" "$work/docs/$file" && { echo "the edit of $file changed nothing"; exit 1; }
  if "$check" "$sim" "$work/docs" "$work/docs/USER-GUIDE.md" \
    "$work/docs/INSTALL.md#The settings dialog" >"$work/output" 2>&1; then
    echo "NOT CAUGHT: $file edited with '$edit' passed the check"
    failed=1
  elif ! grep -Fq "$message" "$work/output"; then
    echo "CAUGHT FOR ANOTHER REASON: $file edited with '$edit':"
    cat "$work/output"
    failed=1
  else
    echo "caught ($file, $edit):"
    grep FAIL "$work/output"
  fi
}

expect_caught INSTALL.md 's|shown by guide/function-key-none.sim|shown by guide/no-such-script.sim|' \
  "names guide/no-such-script.sim, which is not in"
expect_caught guide/function-key-none.sim 's|^  button 0$|  button 1|' \
  "guide/function-key-none.sim does not pass on the bench"
expect_caught USER-GUIDE.md '/^## Jogging/,/^## /s| *<!-- shown by [^>]*-->||' \
  'section "Jogging": no statement names the bench script that shows it'
exit "$failed"
