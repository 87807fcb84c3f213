#!/usr/bin/env bash
# A bench session of a million poll ticks (about seven hours of virtual time) with the pendant
# plugged in stays small: the bench keeps what its checks need of the display writes, not
# their history. Prints the peak resident size and fails above 10 MB.
# Usage: long_session_memory.sh PENDANT_SIM
set -euo pipefail

sim="$1"
limit_kb=10240
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/long.sim" <<'SCRIPT'
start
tick 1000000
expect ticks 1000000
expect writes 1000000
SCRIPT
/usr/bin/time -f '%M' -o "$work/peak_kb" "$sim" "$work/long.sim" >"$work/transcript"
tail -n 1 "$work/transcript"
peak_kb="$(cat "$work/peak_kb")"
echo "a million poll ticks: peak resident size ${peak_kb} KB (limit ${limit_kb} KB)"
[ "$peak_kb" -le "$limit_kb" ]
