#!/usr/bin/env bash
# The pendant check in a terminal of 80 columns under Wine's console, as a machinist at a console
# meets it: without a pendant it says so in lines that fit the width, and q and Ctrl+C each end
# it with exit code 0 and the terminal's settings as they were. Run inside run-under-wine.sh.
# Usage: check_console_test.sh CHECK_EXE
CHECK=$1
WORK=$(mktemp -d)
source "$(dirname "$0")/../terminal/tmux_driver.sh"
trap 'cleanup; rm -rf "$WORK"' EXIT

cat >"$WORK/run.sh" <<RUN
#!/bin/sh
# Ctrl+C reaches the whole foreground group: this shell carries on to report, the check gets it.
trap : INT
clear
before=\$(stty -g)
wine "$CHECK"
code=\$?
[ "\$(stty -g)" = "\$before" ] && echo TERMINAL-RESTORED
echo EXIT=\$code
sleep 600
RUN
chmod +x "$WORK/run.sh"

# Runs the check in an 80x24 terminal, afresh, and ends it with KEY.
run_and_end_with() {
  if tmux_ has-session -t bench 2>/dev/null; then
    tmux_ respawn-pane -k -t bench "$WORK/run.sh"
    tmux_ clear-history -t bench
    # The last run's end stays on the screen until the new run clears it.
    local deadline=$((SECONDS + POLL_SECONDS))
    while tmux_ capture-pane -p -t bench | grep -qF "EXIT="; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the check did not start again"
      sleep 0.1
    done
  else
    tmux_ new-session -d -s bench -x 80 -y 24 "$WORK/run.sh"
  fi
  wait_for "Still looking, once a second"
  # Joined, a line the terminal had to wrap shows longer than 80 columns.
  if tmux_ capture-pane -p -J -t bench | awk 'length($0) > 80 { found = 1 } END { exit !found }'; then
    fail "a line is wider than the terminal"
  fi
  keys "$1"
  wait_for "EXIT=0"
  wait_for "TERMINAL-RESTORED"
}

run_and_end_with q
run_and_end_with C-c
echo "PASSED"
