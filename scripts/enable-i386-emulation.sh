#!/usr/bin/env bash
# Lets a machine whose kernel cannot start 32-bit programs run them through qemu-user, so that
# 32-bit Wine (and with it the DLL's tests) works. Needs root and the Debian packages
# qemu-user-static, wine32-preloader:i386 (Wine reserves its address space through the
# preloader; without it Wine fails under emulation) and wine64 (its native wineserver replaces
# the emulated one, which was seen to crash). Does nothing where 32-bit programs run.
set -euo pipefail

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi

emulator=/usr/bin/qemu-i386-static
if [ ! -x "$emulator" ]; then
  echo "$emulator is missing: install the Debian package qemu-user-static" >&2
  exit 1
fi

binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
fi

# i386 ELF executables and shared objects; F opens the emulator now, so it serves every
# mount namespace and chroot alike.
if [ ! -e "$binfmt/qemu-i386" ]; then
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$emulator"':F' \
    >"$binfmt/register"
fi

/usr/lib/wine/wine --version >/dev/null
