#!/usr/bin/env bash
# Runs one command (wine PROGRAM..., wineboot -i) in a private Wine prefix on a private X
# display, quietly, and ends the prefix's Wine processes before the display goes away.
# Usage: run-under-wine.sh PREFIX COMMAND [ARGUMENTS...]
set -euo pipefail

if [ "$#" -lt 2 ]; then
  echo "usage: $0 PREFIX COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

# The DLL and its tests are 32-bit: the Wine loader that runs them is a 32-bit Linux program.
if ! env -u WINEPREFIX /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "This machine cannot start 32-bit Linux programs, so 32-bit Wine cannot run." >&2
  echo "Where the kernel lacks 32-bit support, scripts/enable-i386-emulation.sh (as root)" >&2
  echo "runs them through qemu-user instead." >&2
  exit 1
fi

# Whether 32-bit programs run through qemu-user: an enabled binfmt_misc entry for i386 comes
# before the kernel's own loader.
wine_is_emulated() {
  local entry
  [ "$(cat /proc/sys/fs/binfmt_misc/status 2>/dev/null)" = enabled ] || return 1
  for entry in /proc/sys/fs/binfmt_misc/*; do
    if [ "$(head -n 1 "$entry" 2>/dev/null)" = enabled ] &&
      grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null; then
      return 0
    fi
  done
  return 1
}

# Under qemu-user, Wine maps ntdll away from its preferred address, and its service processes
# and a program's threads (the device-notice thread among them) then crash at random. A test
# that runs the plug-in or the check with a pendant for many seconds cannot tell such a crash
# from a fault of its own there, so it sets PENDANT_NEEDS_NATIVE_WINE and is skipped (77).
if [ -n "${PENDANT_NEEDS_NATIVE_WINE:-}" ] && wine_is_emulated; then
  echo "SKIPPED: needs Wine running natively; under qemu-user Wine's threads crash at random"
  exit 77
fi

# Wine takes only an absolute prefix.
WINEPREFIX="$(realpath -m "$1")"
export WINEPREFIX
shift
export WINEDEBUG=-all
# PENDANT_WINE_OVERRIDES adds a test's own, e.g. the HID stand-ins beside its program.
export WINEDLLOVERRIDES="mscoree,mshtml=${PENDANT_WINE_OVERRIDES:+;$PENDANT_WINE_OVERRIDES}"
export WINEARCH=win32

# Ends every process of this prefix: a session that crashed under emulation can leave a wine
# server and programs bound to an X display that is gone, and the next session would hang on
# them.
end_prefix_processes() {
  wineserver -k 2>/dev/null || true
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid="${environ#/proc/}"
    pid="${pid%/environ}"
    [ "$pid" != "$$" ] || continue
    # A process may end, or belong to another user, between the listing and the read.
    if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      kill -9 "$pid" 2>/dev/null || true
    fi
  done
}

mkdir -p "$(dirname "$WINEPREFIX")"
end_prefix_processes
status=0
xvfb-run -a "$@" || status=$?
end_prefix_processes
exit "$status"
