#!/usr/bin/env bash
# Draws docs/settings-dialog.png again: the settings dialog as the DLL shows it under Wine and
# Xvfb, with a profile holding a few settings. Not part of the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target dialog_screenshot

build="$(pwd)/build/win32"
bitmap="$build/settings-dialog.bmp"
rm -f "$bitmap"
# A prefix of its own, in which Wine draws the caption bars itself (Xvfb has no window manager
# to draw them); ending its Wine session leaves the test suite's prefix alone. Wine's drive Z:
# is the Linux root.
# shellcheck disable=SC2016
scripts/run-under-wine.sh "$build/screenshot-prefix" bash -c '
  wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /t REG_SZ /d N /f >/dev/null
  wine "$1" "Z:${2//\//\\}"' screenshot "$build/dialog_screenshot.exe" "$bitmap"
test -s "$bitmap"
mkdir -p docs
convert "$bitmap" -strip docs/settings-dialog.png
echo "docs/settings-dialog.png: $(identify -format '%wx%h' docs/settings-dialog.png)"
