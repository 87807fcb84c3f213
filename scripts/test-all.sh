#!/usr/bin/env bash
# Builds both targets and runs every test: the native suite, the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows DLL's tests under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset native
cmake --build --preset native
ctest --preset native
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
cmake --preset win32
cmake --build --preset win32
ctest --preset win32
