#!/usr/bin/env bash
# Installs what is needed, builds every preset and runs all of its tests:
# host tests, Java VM tests under Xvfb, Windows tests under Wine, and the
# 32-bit Linux tests through qemu.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
status=0
for preset in linux-x64 windows-x64 windows-x86 linux-x86; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" || status=1
done
exit $status
