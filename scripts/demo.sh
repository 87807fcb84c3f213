#!/usr/bin/env bash
# Builds the virtual bench and runs it on its built-in demo (or on the arguments given, e.g. a
# script or --interactive). Installs only what the bench needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh bench
cmake --preset bench >/dev/null
cmake --build --preset bench --target pendant-sim >/dev/null
exec build/bench/bench/pendant-sim "$@"
