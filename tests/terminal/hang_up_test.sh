#!/usr/bin/env bash
# A terminal closed under the settings form ends the interactive mode, as q would: a closed
# terminal answers every key read at once, and a form that ignored the hang-up would spin.
SIM=$1
WORK=$(mktemp -d)
source "$(dirname "$0")/tmux_driver.sh"
trap 'cleanup; rm -rf "$WORK"' EXIT

start_interactive
keys c
wait_for "SETTINGS"
pid=$(pgrep -f -n -- "$SIM --interactive") || fail "no interactive bench is running"
tmux_ kill-server  # closes the terminal: the bench gets its hang-up
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || { echo "the bench ended with its terminal"; exit 0; }
  sleep 0.1
done
kill -9 "$pid"
echo "FAILED: the bench went on 10 s after its terminal closed" >&2
exit 1
