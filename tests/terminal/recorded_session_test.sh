#!/usr/bin/env bash
# A session recorded with --record replays to the transcript the session wrote, and a session
# started from the user's own profile reads it but never writes it.
SIM=$1
WORK=$(mktemp -d)
source "$(dirname "$0")/tmux_driver.sh"
trap 'cleanup; rm -rf "$WORK"' EXIT

cat >"$WORK/own-profile.xml" <<'XML'
<?xml version="1.0"?>
<!-- the user's own host profile -->
<profile><Qorvix_K7R_Pendant><Xreverse>1</Xreverse></Qorvix_K7R_Pendant></profile>
XML
cp "$WORK/own-profile.xml" "$WORK/own-profile.orig"

start_interactive --record "$WORK/session.sim" --transcript "$WORK/session.txt" \
  --profile "$WORK/own-profile.xml"

# The profile reverses X: a forward turn moves it back.
keys '}'
wait_for "X    -0.0100   Y"
keys k
keys c
select_row Xreverse
keys ' '
wait_for "> Xreverse        [ ]"
select_row '\[ OK'
keys Enter
wait_for "config Xreverse=0 ok"
keys ']'
wait_for "X    -0.0090   Y"
keys 2 '}' 1 e
wait_for "e-stop ON (LED 800)"
keys q
wait_for "EXIT=0"

grep -qx "config Xreverse=0 ok" "$WORK/session.sim" || fail "the recording lacks the settings"
cmp -s "$WORK/own-profile.xml" "$WORK/own-profile.orig" || fail "the user's profile was written"

"$SIM" "$WORK/session.sim" >"$WORK/replay.txt" || fail "the recording does not replay"
# pendant-sim frames the replay's transcript with the script's name and the verdict.
sed '1d;$d' "$WORK/replay.txt" >"$WORK/replay-transcript.txt"
diff -u "$WORK/session.txt" "$WORK/replay-transcript.txt" >&2 ||
  fail "the replay's transcript differs from the session's"
grep -q "code G91G1 F1500.0000 X 0.0010" "$WORK/session.txt" ||
  fail "the transcript lacks the step after the settings changed"
echo "PASSED"
