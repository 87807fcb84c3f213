#!/usr/bin/env bash
# Makes the release package the way the package target does and checks it: the zip holds exactly
# the DLL, the pendant check, the guides, the licence and SHA256SUMS; its DLL and check are
# byte-identical to the built ones; the text files have CRLF line ends; the sums verify.
# Usage: check-package.sh BUILD_DIR DLL CHECK_EXE
set -euo pipefail

build="$(cd "$1" && pwd)"
dll="$2"
check_exe="$3"
cmake="${CMAKE_COMMAND:-cmake}"
cpack="${CPACK_COMMAND:-cpack}"
work="$build/package-check"
rm -rf "$work"
mkdir -p "$work/unpacked"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

"$cpack" --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
zip="$(find "$work" -maxdepth 1 -name 'QorvixK7R-*-win32.zip')"
[ -n "$zip" ] || { echo "FAIL: no QorvixK7R-<version>-win32.zip"; cat "$work/cpack.log"; exit 1; }
echo "package: $(basename "$zip")"
listing="$(cd "$work" && "$cmake" -E tar tf "$zip" | sort)"
echo "$listing" | sed 's/^/  /'
(cd "$work/unpacked" && "$cmake" -E tar xf "$zip")

expected="$(printf '%s\n' INSTALL.txt LICENSE.txt QorvixK7R-check.exe QorvixK7R.dll SHA256SUMS \
  USER-GUIDE.txt | sort)"
crlf_only() {
  local file="$work/unpacked/$1"
  [ -s "$file" ] && ! grep -q $'[^\r]$' "$file" && ! grep -q $'^$' "$file"
}

check "the zip holds exactly: $(echo "$expected" | tr '\n' ' ')" [ "$listing" = "$expected" ]
check "its DLL is the built one, byte for byte" cmp "$dll" "$work/unpacked/QorvixK7R.dll"
check "its pendant check is the built one, byte for byte" \
  cmp "$check_exe" "$work/unpacked/QorvixK7R-check.exe"
for text in INSTALL.txt USER-GUIDE.txt LICENSE.txt; do
  check "$text has CRLF line ends only" crlf_only "$text"
done
check "SHA256SUMS names every other file" \
  [ "$(awk '{ print $2 }' "$work/unpacked/SHA256SUMS" | sort)" = "$(grep -vx SHA256SUMS <<<"$expected")" ]
check "SHA256SUMS verifies" bash -c "cd '$work/unpacked' && sha256sum --quiet -c SHA256SUMS"

checks_summary
