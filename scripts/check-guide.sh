#!/usr/bin/env bash
# Checks that the guides say what the plug-in does. Each statement of behaviour is followed by
# a note naming the bench scripts that show it (<!-- shown by guide/NAME.sim ... -->), and every
# section about behaviour holds at least one; a guide names a bench script before its drawn
# screens (<!-- screens: guide/NAME.sim -->), and each 2x8 box in the fenced blocks after it,
# left to right and top to bottom, must equal that script's `expect display` lines in order.
# Every named script must be in the guide folder and pass on the bench (so its `expect` lines
# hold on the plug-in), and every script of the guide folder must be named by some guide.
# Usage: check-guide.sh PENDANT_SIM BASE_DIR GUIDE[#SECTION]...
#   BASE_DIR: where the named scripts are found (guide/NAME.sim below it);
#   GUIDE: every "## " section of it is about behaviour; GUIDE#SECTION: only that section.
set -euo pipefail

sim="$1"
base="$2"
shift 2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
: >"$work/named"

for argument in "$@"; do
  guide="${argument%%#*}"
  section=""
  [ "$guide" != "$argument" ] && section="${argument#*#}"
  name="$(basename "$guide")"

  # The scripts a guide names, the sections about behaviour without a note, and the boxes it
  # draws as "SCRIPT<TAB>|LINE1|LINE2|" (boxes in one row stand 12 columns apart).
  awk -v out="$work" -v only="$section" '
    function close_section() {
      if (heading != "" && (only == "" || heading == only) && !noted) print heading > (out "/unnoted")
    }
    /^## / { close_section(); heading = substr($0, 4); noted = 0; next }
    {
      line = $0
      while (match(line, /<!-- shown by [^>]*-->/)) {
        n = split(substr(line, RSTART + 14, RLENGTH - 17), names, " ")
        for (k = 1; k <= n; k++) if (names[k] != "") { print names[k] > (out "/names"); noted = 1 }
        line = substr(line, RSTART + RLENGTH)
      }
    }
    /^<!-- screens: [^ ]+ -->$/ { script = $3; print script > (out "/screens"); print script > (out "/names"); next }
    /^```/ { fenced = !fenced; rows = 0; next }
    !fenced || script == "" { next }
    /^\+--------\+/ {
      if (rows == 2)
        for (k = 0; k < boxes; k++) print script "\t|" first[k] "|" second[k] "|" > (out "/boxes")
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
    END { close_section() }
  ' "$guide"
  touch "$work/names" "$work/unnoted" "$work/screens" "$work/boxes"
  cat "$work/names" >>"$work/named"

  if [ -n "$section" ] && ! grep -Fqx "## $section" "$guide"; then
    fail "$name has no section \"$section\""
  fi
  while read -r heading; do
    fail "$name, section \"$heading\": no statement names the bench script that shows it"
  done <"$work/unnoted"

  # The screens a script checks, as "|LINE1|LINE2|". Guide scripts quote plain text only.
  while read -r script; do
    [ -f "$base/$script" ] || continue
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
    ' "$base/$script" >"$work/shown" || failed=1
    awk -F '\t' -v s="$script" '$1 == s { print $2 }' "$work/boxes" >"$work/drawn"
    if ! diff -u --label "shown by $script" --label "drawn in $name" "$work/shown" "$work/drawn"; then
      fail "the screens drawn after <!-- screens: $script --> differ from what it shows"
    fi
  done <"$work/screens"
  echo "$name: $(sort -u "$work/names" | wc -l) bench scripts named, $(wc -l <"$work/boxes") screens drawn"
  rm -f "$work/names" "$work/unnoted" "$work/screens" "$work/boxes"
done

# Every named script exists and passes on the bench.
sort -u "$work/named" >"$work/scripts"
while read -r script; do
  if [ ! -f "$base/$script" ]; then
    fail "a guide names $script, which is not in $base"
  elif ! "$sim" "$base/$script" >"$work/transcript" 2>&1; then
    fail "$script does not pass on the bench:"
    tail -n 20 "$work/transcript"
  fi
done <"$work/scripts"

for path in "$base"/guide/*.sim; do
  script="guide/$(basename "$path")"
  grep -Fqx "$script" "$work/scripts" || fail "no guide names $script"
done

[ "$failed" -eq 0 ] && echo "$(wc -l <"$work/scripts") bench scripts named by the guides pass"
exit "$failed"
