#!/usr/bin/env bash
# Builds the DLL and the release package twice from clean build folders and compares them: the
# DLL bytes and the zip listing (names, sizes, times) must be the same. Also says whether the zip
# bytes are the same. Several minutes: two full builds of the DLL.
# Usage: check-reproducible.sh [WORK_DIR]  (default build/reproducible)
set -euo pipefail

source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$source_dir/build/reproducible}"
failed=0

build_once() {
  local dir="$work/$1"
  rm -rf "$dir"
  cmake -S "$source_dir" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
  cmake --build "$dir" --target QorvixK7R package_files >/dev/null
  cpack --config "$dir/CPackConfig.cmake" -B "$dir/out" >/dev/null
}

build_once first
build_once second

zip_of() { find "$work/$1/out" -maxdepth 1 -name 'QorvixK7R-*-win32.zip'; }
listing() { (cd "$work/$1/out" && cmake -E tar tvf "$(zip_of "$1")" | sort -k 9); }

if cmp "$work/first/QorvixK7R.dll" "$work/second/QorvixK7R.dll"; then
  echo "same DLL bytes: $(sha256sum <"$work/first/QorvixK7R.dll" | cut -d' ' -f1)"
else
  echo "FAIL: the two DLLs differ"
  failed=1
fi
if diff <(listing first) <(listing second); then
  echo "same zip listing:"
  listing first | sed 's/^/  /'
else
  echo "FAIL: the two zip listings differ"
  failed=1
fi
if cmp -s "$(zip_of first)" "$(zip_of second)"; then
  echo "same zip bytes"
else
  echo "the zip bytes differ (entry order or the change times the zip records)"
fi
exit "$failed"
