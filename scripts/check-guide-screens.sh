#!/usr/bin/env bash
# Checks that every display screen drawn in the user guide is one the plug-in really shows.
# The guide names a bench script before its screens (<!-- screens: guide/NAME.sim -->); each
# 2x8 box in the fenced blocks after it, left to right and top to bottom, must equal the
# script's `expect display` lines in order, and the script must pass on the bench, so the
# plug-in composed each of those screens. Every script in the guide's folder must be named.
# Usage: check-guide-screens.sh GUIDE PENDANT_SIM [BASE_DIR]  (BASE_DIR: where the named
# scripts are found; the guide's folder when not given)
set -euo pipefail

guide="$1"
sim="$2"
base="${3:-$(dirname "$guide")}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0

# The boxes of the guide as "SCRIPT<TAB>|LINE1|LINE2|". Boxes in one row of a block stand 12
# columns apart: "+--------+  +--------+".
awk -v out="$work" '
  /^<!-- screens: [^ ]+ -->$/ { script = $3; print script > (out "/scripts"); next }
  /^```/ { fenced = !fenced; rows = 0; next }
  !fenced || script == "" { next }
  /^\+--------\+/ {
    if (rows == 2)
      for (k = 0; k < boxes; k++) print script "\t|" first[k] "|" second[k] "|"
    rows = 0
    next
  }
  /^\|/ {
    rows++
    for (k = 0; substr($0, 12 * k + 1, 1) == "|" && substr($0, 12 * k + 10, 1) == "|"; k++) {
      if (rows == 1) first[k] = substr($0, 12 * k + 2, 8)
      else second[k] = substr($0, 12 * k + 2, 8)
    }
    boxes = k
  }
' "$guide" >"$work/guide"
touch "$work/scripts"

if [ ! -s "$work/scripts" ]; then
  echo "FAIL: $guide names no bench script"
  exit 1
fi

# The screens a script checks, as "|LINE1|LINE2|". Guide scripts quote plain text only.
script_screens() {
  awk '
    /^[ \t]*expect display / {
      line = $0
      if (index(line, "\\") > 0) { print "escape in " FILENAME ":" FNR > "/dev/stderr"; exit 1 }
      n = 0
      while (match(line, /"[^"]*"/)) {
        word[++n] = substr(line, RSTART + 1, RLENGTH - 2)
        line = substr(line, RSTART + RLENGTH)
      }
      if (n != 2) { print "not two quoted lines in " FILENAME ":" FNR > "/dev/stderr"; exit 1 }
      print "|" word[1] "|" word[2] "|"
    }
  ' "$1"
}

while read -r script; do
  path="$base/$script"
  if [ ! -f "$path" ]; then
    echo "FAIL: $guide names $script, which is not in $base"
    failed=1
    continue
  fi
  if ! "$sim" "$path" >"$work/transcript" 2>&1; then
    echo "FAIL: $script does not pass on the bench:"
    tail -n 20 "$work/transcript"
    failed=1
  fi
  awk -F '\t' -v s="$script" '$1 == s { print $2 }' "$work/guide" >"$work/drawn"
  script_screens "$path" >"$work/shown" || failed=1
  if ! diff -u --label "shown by $script" --label "drawn in $(basename "$guide")" \
    "$work/shown" "$work/drawn"; then
    echo "FAIL: the screens drawn after <!-- screens: $script --> differ from what it shows"
    failed=1
  fi
done <"$work/scripts"

for path in "$base"/guide/*.sim; do
  name="guide/$(basename "$path")"
  grep -Fqx "$name" "$work/scripts" || { echo "FAIL: $guide does not show $name"; failed=1; }
done

[ "$failed" -eq 0 ] && echo "$(wc -l <"$work/guide") screens of $(wc -l <"$work/scripts") scripts agree"
exit "$failed"
