#!/usr/bin/env bash
# Checks what libstrokelink.so shows the dynamic linker: it exports the two
# JNI entry points and nothing else (so no load hook either), needs JAWT and
# AWT and otherwise at most Xlib and the C library (no C++ runtime, no Xt,
# no libjava), carries no search path and is bound at load time.
# Usage: check_library.sh LIBRARY
set -euo pipefail
library=$1
status=0

exports=$(nm -D --defined-only "$library" | awk '{print $3}' | sort)
expected_exports=$(printf '%s\n' \
  Java_wyvra_gui_tessel_keyboard_NativeLibrary_registerKeyEventHandler \
  Java_wyvra_gui_tessel_keyboard_NativeLibrary_unregisterKeyEventHandler | sort)
if [ "$exports" != "$expected_exports" ]; then
  echo "exported symbols differ:"; diff <(echo "$expected_exports") <(echo "$exports") || true
  status=1
fi

needed=$(readelf -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort)
for library_needed in $needed; do
  case $library_needed in
    libjawt.so | libawt.so | libX11.so.6 | libc.so.6) ;;
    *) echo "needs $library_needed"; status=1 ;;
  esac
done
for required in libjawt.so libawt.so; do
  grep -qx "$required" <<<"$needed" || { echo "does not name $required"; status=1; }
done

if readelf -d "$library" | grep -E '\((RPATH|RUNPATH)\)'; then
  echo "the library carries a search path of the build machine"
  status=1
fi
if ! readelf -d "$library" | grep -qE '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW'; then
  echo "the library is not bound at load time"
  status=1
fi

echo "exports: $(echo $exports)"
echo "needed: $(echo $needed)"
exit $status
