#!/usr/bin/env bash
# Builds the native plug-in and runs the virtual bench on its built-in demo (or on the script
# given as an argument).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset native >/dev/null
cmake --build --preset native --target pendant-sim >/dev/null
exec build/native/bench/pendant-sim "$@"
