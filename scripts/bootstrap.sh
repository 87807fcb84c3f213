#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need. Quiet and quick when all is present.
# Usage: bootstrap.sh [bench]  (bench: only what the virtual bench and its demo need)
set -euo pipefail

bench_packages=(cmake ninja-build g++ libpugixml-dev libncurses-dev)
test_packages=(
  clang-format libgtest-dev libbenchmark-dev tmux time
  g++-mingw-w64-i686
  xvfb xauth wine wine32:i386 wine64 wine32-preloader:i386
  qemu-user-static binfmt-support
)

packages=("${bench_packages[@]}")
[ "${1:-}" = bench ] || packages+=("${test_packages[@]}")

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
  fi
  # A mirror caught in the middle of a sync fails the update, or leaves one architecture's
  # index behind the other's so that 32-bit packages no longer match the 64-bit ones. The
  # update is tried again; an install that still cannot match them takes every package from
  # the release itself, whose indexes always agree.
  for wait_seconds in 20 40 0; do
    sudo_if_needed apt-get update -qq && break
    [ "$wait_seconds" -eq 0 ] || sleep "$wait_seconds"
  done
  install_missing() {
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" \
      "${missing[@]}" >/dev/null
  }
  install_missing || install_missing -t "$(. /etc/os-release && echo "$VERSION_CODENAME")"
fi

[ "${1:-}" = bench ] && exit 0

# The DLL's tests run in 32-bit Wine; where the kernel cannot start 32-bit programs, they run
# through qemu-user (a kernel registration that a reboot forgets, so it is checked every time).
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  sudo_if_needed "$(dirname "$0")/enable-i386-emulation.sh"
fi
