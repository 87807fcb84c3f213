# Drives pendant-sim --interactive in a private tmux server, as a user at a terminal would.
# Sourced by the terminal tests; they set SIM (pendant-sim) and WORK (a fresh directory).
set -euo pipefail

SOCKET="pendant-test-$$"
# Generous: the machine is shared, and a missing screen is a failure only after this long.
POLL_SECONDS=30

tmux_() { tmux -L "$SOCKET" -f /dev/null "$@"; }
cleanup() { tmux_ kill-server 2>/dev/null || true; }
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  echo "--- the terminal shows:" >&2
  tmux_ capture-pane -p -t bench >&2 || true
  exit 1
}

# Starts the interactive mode with the given options in an 100x32 terminal. When it ends, the
# pane tells its exit code and whether the terminal settings are back as they were.
start_interactive() {
  cat >"$WORK/run.sh" <<RUN
#!/bin/sh
before=\$(stty -g)
"$SIM" --interactive $*
code=\$?
[ "\$(stty -g)" = "\$before" ] && echo TERMINAL-RESTORED
echo EXIT=\$code
sleep 600
RUN
  chmod +x "$WORK/run.sh"
  tmux_ new-session -d -s bench -x 100 -y 32 "$WORK/run.sh"
  wait_for "wheel: OK"
}

# Waits until the terminal shows TEXT (a fixed string), at most POLL_SECONDS.
wait_for() {
  local deadline=$((SECONDS + POLL_SECONDS))
  until tmux_ capture-pane -p -t bench | grep -qF -- "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the terminal never showed '$1'"
    sleep 0.1
  done
}

keys() { tmux_ send-keys -t bench "$@"; }

# In the settings form, moves down to the row that starts with TEXT.
select_row() {
  local tries=0
  until tmux_ capture-pane -p -t bench | grep -q "^> $1"; do
    tries=$((tries + 1))
    [ "$tries" -le 60 ] || fail "the settings form has no row '$1'"
    keys Down
    sleep 0.05
  done
}
