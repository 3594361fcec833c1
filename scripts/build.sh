#!/usr/bin/env bash
# Installs what is needed, then builds every deliverable:
#   out/linux-x64/libstrokelink.so    out/linux-x86/libstrokelink.so
#   out/windows-x64/strokelink.dll    out/windows-x86/strokelink.dll
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
for preset in linux-x64 linux-x86 windows-x64 windows-x86; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  cmake --install "build/$preset" --prefix "out/$preset" --strip >/dev/null
done
ls -l out/*/*strokelink*
