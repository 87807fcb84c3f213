#!/usr/bin/env bash
# The pendant on the terminal: a step-mode wheel turn moves X on the machine and on the pendant's
# display, unplugging and replugging show, the e-stop key lights the e-stop, a too small
# terminal says so, and q exits 0 with the terminal restored.
SIM=$1
WORK=$(mktemp -d)
source "$(dirname "$0")/tmux_driver.sh"
trap 'cleanup; rm -rf "$WORK"' EXIT

start_interactive

keys '}'
wait_for "X    +0.0100   Y"
wait_for "| +0.0100|"

keys u
wait_for "PENDANT  UNPLUGGED"
wait_for "wheel: the pendant is unplugged"
keys u
wait_for "PENDANT  plugged in"

keys e
wait_for "e-stop ON (LED 800)"
wait_for "LED byte 1 (lit)"
wait_for "| E-STOP |"

tmux_ resize-window -t bench -x 50 -y 12
wait_for "the terminal is too small"
tmux_ resize-window -t bench -x 100 -y 32
wait_for "keys:"

keys q
wait_for "EXIT=0"
wait_for "TERMINAL-RESTORED"
echo "PASSED"
