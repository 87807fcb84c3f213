#!/usr/bin/env bash
# pendant-sim's command line: every refusal names its cause, input that cannot be a script
# ends with an error instead of being read for ever, and a script saved with a byte-order mark
# runs.
# Usage: command_line_test.sh PENDANT_SIM
set -uo pipefail

sim="$1"
work="$(mktemp -d)"
trap 'chmod -R u+rw "$work"; rm -rf "$work"' EXIT
failed=0

# check NAME EXIT_CODE PATTERN COMMAND...: the command exits with EXIT_CODE and its output
# (standard output and error) matches the extended regular expression PATTERN.
check() {
  local name="$1" code="$2" pattern="$3"
  shift 3
  local output actual
  output="$("$@" 2>&1 </dev/null)"
  actual=$?
  if [ "$actual" -ne "$code" ] || ! grep -Eq -e "$pattern" <<<"$output"; then
    echo "FAIL: $name: exit $actual (expected $code), output:"
    echo "$output" | head -n 10
    failed=1
  else
    echo "ok: $name: $(grep -Em1 -e "$pattern" <<<"$output")"
  fi
}

printf '\xEF\xBB\xBFsay saved with a byte-order mark\nstart\n' >"$work/bom.sim"
printf 'start\n' >"$work/unreadable.sim"
chmod 000 "$work/unreadable.sim"

check "missing file" 2 "^pendant-sim: cannot read $work/none.sim: no such file$" \
  "$sim" "$work/none.sim"
check "a folder" 2 "^pendant-sim: cannot read $work: is a directory$" "$sim" "$work"
# Root reads any file, so as root the case runs as the user nobody.
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
chmod 755 "$work"
check "unreadable file" 2 "cannot read $work/unreadable.sim: permission denied$" \
  "${as_user[@]}" "$sim" "$work/unreadable.sim"
check "unknown option" 2 "^pendant-sim: unknown option --bogus$" "$sim" --bogus
check "unknown option shows the usage" 2 "^usage: pendant-sim \[SCRIPT\]" "$sim" --bogus
check "help of the interactive mode" 0 "^usage: pendant-sim --interactive" \
  "$sim" --interactive --help
check "byte-order mark" 0 "^PASSED" "$sim" "$work/bom.sim"
check "endless line" 2 "cannot read /dev/zero: line 1 is longer than 64 KB" "$sim" /dev/zero
check "endless pipe" 2 "cannot read /dev/stdin: longer than 16 MB" \
  bash -c 'yes "say again" | "$0" /dev/stdin' "$sim"
check "recording over the profile" 2 "--record and --profile name the same file" \
  "$sim" --interactive --record "$work/p.xml" --profile "$work/./p.xml"
exit "$failed"
