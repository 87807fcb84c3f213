#!/usr/bin/env bash
# The pendant on the terminal: a step-mode wheel turn moves X on the machine and on the pendant's
# display; a too small terminal says so and lets no key but q act; unplugging and replugging
# show, and the status line then says how to reset the host's stop; the e-stop key lights the
# e-stop; the settings form names the dialog's labels, fits 80 columns, keeps every edit when
# OK is refused for a box without a number, and q quits from it with the terminal restored.
SIM=$1
WORK=$(mktemp -d)
source "$(dirname "$0")/tmux_driver.sh"
trap 'cleanup; rm -rf "$WORK"' EXIT

# Fails when the terminal shows TEXT after a moment in which it could have appeared.
never_shows() {
  sleep 0.5
  if tmux_ capture-pane -p -t bench | grep -qF -- "$1"; then fail "the terminal shows '$1'"; fi
}

start_interactive

keys '}'
wait_for "X    +0.0100   Y"
wait_for "| +0.0100|"

tmux_ resize-window -t bench -x 50 -y 12
wait_for "the terminal is too small"
keys '}' c
sleep 0.5
tmux_ resize-window -t bench -x 100 -y 32
wait_for "keys:"
never_shows "SETTINGS"
never_shows "+0.0200"

keys u
wait_for "PENDANT  UNPLUGGED"
wait_for "wheel: the pendant is unplugged"
keys u
wait_for "PENDANT  plugged in"
wait_for "wheel: the host is in emergency stop (LED 800): e twice (switch on, off) resets"
keys e
wait_for "e-stop ON (LED 800)"
wait_for "LED byte 1 (lit)"
wait_for "| E-STOP |"
keys e
wait_for "wheel: OK"

keys c
wait_for "SETTINGS"
wait_for "Steps to Delay the Start of Axis Movement"
tmux_ resize-window -t bench -x 80 -y 24
wait_for "Esc cancel  q quit"
select_row Xreverse
keys ' '
wait_for "> Xreverse        [x]"
select_row DelaySteps
keys Enter BSpace BSpace x Enter
select_row '\[ OK'
keys Enter
wait_for "OK refused: Please enter an integer."
wait_for '> DelaySteps      "x" <-'
select_row Xreverse
wait_for "> Xreverse        [x]"
select_row DelaySteps
keys Enter BSpace 3 0 Enter
select_row '\[ OK'
keys Enter
wait_for "config DelaySteps=30 Xreverse=1 ok"

keys c
wait_for "SETTINGS"
keys q
wait_for "EXIT=0"
wait_for "TERMINAL-RESTORED"
echo "PASSED"
