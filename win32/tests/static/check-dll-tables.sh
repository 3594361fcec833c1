#!/usr/bin/env bash
# Reads strokelink.dll's headers, export table and import table with objdump
# and checks what a Java VM and the Windows loader will see:
#   - the machine type (PE32 i386 or PE32+ x86-64);
#   - exactly the two entry points, under the names the VM looks up;
#   - imports from jawt.dll (JAWT_GetAWT under the name the runtime's
#     jawt.dll exports), user32.dll, kernel32.dll and the C runtime only.
# Usage: check-dll-tables.sh OBJDUMP DLL x86|x64
set -euo pipefail
objdump=$1 dll=$2 arch=$3

case "$arch" in
  x86)
    format=pei-i386 magic=010b prefix=_ suffix=@16 jawt_import=_JAWT_GetAWT@8 ;;
  x64)
    format=pei-x86-64 magic=020b prefix= suffix= jawt_import=JAWT_GetAWT ;;
  *)
    echo "unknown architecture: $arch" >&2
    exit 2 ;;
esac
class=Java_wyvra_gui_tessel_keyboard_NativeLibrary
expected_exports=$(printf '%s\n' \
  "${prefix}${class}_registerKeyEventHandler${suffix}" \
  "${prefix}${class}_unregisterKeyEventHandler${suffix}" | sort)

headers=$("$objdump" -p "$dll")
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

actual_format=$("$objdump" -f "$dll" | sed -n 's/.*file format \(.*\)$/\1/p')
echo "format: $actual_format"
[ "$actual_format" = "$format" ] || fail "file format is '$actual_format', expected '$format'"
actual_magic=$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")
echo "optional header magic: $actual_magic"
[ "$actual_magic" = "$magic" ] || fail "optional header magic is '$actual_magic', expected '$magic'"

# Lines "[   n] name" of the export name table.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { in_table = 1; next }
               in_table && /^[[:space:]]*$/ { in_table = 0 }
               in_table { print $NF }' <<<"$headers" | sort)
echo "exports:"
sed 's/^/  /' <<<"$exports"
[ "$exports" = "$expected_exports" ] || fail "exports differ from: $(echo $expected_exports)"

# "DLL Name: x" starts a block of "vma hint name" lines for that DLL.
imports=$(awk '/DLL Name:/ { dll = tolower($3); print dll; next }
               dll != "" && /^[[:space:]]*$/ { dll = "" }
               dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll " " $3 }' <<<"$headers")
dlls=$(awk 'NF == 1' <<<"$imports" | sort -u)
echo "imported DLLs:"
sed 's/^/  /' <<<"$dlls"
for needed in jawt.dll user32.dll kernel32.dll; do
  grep -qx "$needed" <<<"$dlls" || fail "does not import $needed"
done
while read -r name; do
  case "$name" in
    jawt.dll | user32.dll | kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *) fail "imports $name (only jawt, user32, kernel32 and the C runtime are allowed)" ;;
  esac
done <<<"$dlls"

jawt_functions=$(awk '$1 == "jawt.dll" && NF == 2 { print $2 }' <<<"$imports")
echo "from jawt.dll: $(echo $jawt_functions)"
[ "$jawt_functions" = "$jawt_import" ] || fail "jawt.dll imports are '$(echo $jawt_functions)', expected '$jawt_import'"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $dll"
  exit 1
fi
echo "all checks passed for $dll"
