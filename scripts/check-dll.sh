#!/usr/bin/env bash
# Checks the plug-in DLL as the host will see it: a 32-bit PE DLL for i386 that exports exactly
# the entry points declared in exports.h, undecorated, imports only Windows system DLLs, and
# carries a version resource naming VERSION and itself. Given the pendant check too, checks that
# it is a 32-bit console program for i386 that imports only Windows system DLLs.
# Usage: check-dll.sh DLL EXPORTS_HEADER VERSION [CHECK_EXE]
set -euo pipefail

dll="$1"
header="$2"
version="$3"
check_exe="${4:-}"
objdump="${OBJDUMP:-i686-w64-mingw32-objdump}"
windres="${WINDRES:-i686-w64-mingw32-windres}"
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# imports_of OBJDUMP_P_OUTPUT: the names of the DLLs a PE file imports, one a line.
imports_of() {
  sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$1"
}

file_headers="$("$objdump" -f "$dll")"
details="$("$objdump" -p "$dll")"

# Declarations look like "PENDANT_EXPORT const char* SetProName(...);".
expected="$(grep -E '^PENDANT_EXPORT ' "$header" |
  sed -E 's/^([^(]*[ *])([A-Za-z_][A-Za-z0-9_]*)\(.*/\2/' | sort)"
# The name table of the export directory: lines like "	[   3] Config".
exported="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$details" |
  sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+(.*)$/\1/p' | sort)"
imported="$(imports_of "$details")"
# The version resource as resource-script text: lines like  VALUE "FileVersion", "4.0.0.1"
resources="$("$windres" -J coff -O rc -i "$dll")"

# DLLs every Windows installation carries in its system folder.
system_dll='^(kernel32|user32|advapi32|msvcrt|hid|setupapi|ole32|oleaut32|ws2_32|winmm)\.dll$'
# only_system_dlls IMPORTS: every name of the list is a system DLL.
only_system_dlls() {
  local name
  [ -n "$1" ] || return 1
  while read -r name; do
    if ! grep -Eiq "$system_dll" <<<"$name"; then
      echo "not a system DLL: $name"
      return 1
    fi
  done <<<"$1"
}

same_exports() {
  [ -n "$expected" ] && [ "$expected" = "$exported" ] && return 0
  diff <(echo "$expected") <(echo "$exported") || true
  return 1
}

# A string of the version resource holds exactly TEXT.
version_value() {
  grep -Fqx "      VALUE \"$1\", \"$2\"" <<<"$resources"
}
# A string of the version resource is present and not empty.
version_value_set() {
  grep -Eq "^ +VALUE \"$1\", \"[^\"]+\"\$" <<<"$resources"
}

check "a PE file for i386" grep -q 'file format pei-i386' <<<"$file_headers"
check "PE32 (32-bit) optional header" grep -Eq '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)' <<<"$details"
check "a DLL" grep -Eq '^[[:space:]]+DLL$' <<<"$details"
check "exports exactly the entry points of $(basename "$header")" same_exports
check "imports only system DLLs" only_system_dlls "$imported"
check "file version $version" version_value FileVersion "$version"
check "product version $version" version_value ProductVersion "$version"
check "numeric file version $version" grep -Fqx " FILEVERSION ${version//./, }" <<<"$resources"
check "original file name $(basename "$dll")" version_value OriginalFilename "$(basename "$dll")"
for field in ProductName FileDescription LegalCopyright; do
  check "$field in the version resource" version_value_set "$field"
done

if [ -n "$check_exe" ]; then
  exe_details="$("$objdump" -p "$check_exe")"
  exe_imported="$(imports_of "$exe_details")"
  name="$(basename "$check_exe")"
  check "$name: a PE file for i386" grep -q 'file format pei-i386' <<<"$("$objdump" -f "$check_exe")"
  check "$name: PE32 (32-bit)" grep -Eq '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)' <<<"$exe_details"
  check "$name: a console program" grep -Eq '^Subsystem[[:space:]]+00000003' <<<"$exe_details"
  check "$name: imports only system DLLs" only_system_dlls "$exe_imported"
  echo "$name imports: $(echo "$exe_imported" | tr '\n' ' ')"
fi

echo "exports: $(echo "$exported" | tr '\n' ' ')"
echo "imports: $(echo "$imported" | tr '\n' ' ')"
echo "version: $version"
checks_summary
