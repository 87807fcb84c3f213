#!/usr/bin/env bash
# Creates the private Wine prefix the DLL's tests run in. Under emulation wineboot has been seen
# to hang once in a while; each try is bounded and a hung one is ended and tried again.
# Usage: make-wine-prefix.sh PREFIX
set -euo pipefail
prefix="$1"
here="$(dirname "$0")"

for attempt in 1 2 3; do
  # wineboot can crash under emulation and still exit 0: a prefix counts as made once a
  # program runs in it.
  if timeout --kill-after=10 240 "$here/run-under-wine.sh" "$prefix" wineboot -i &&
    timeout --kill-after=10 120 "$here/run-under-wine.sh" "$prefix" wine cmd /c echo ready |
    grep -q ready; then
    exit 0
  fi
  echo "wineboot try $attempt did not finish; starting the prefix afresh" >&2
  rm -rf "$prefix"
done
exit 1
