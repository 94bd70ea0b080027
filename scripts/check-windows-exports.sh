#!/usr/bin/env bash
# Reads the export tables of the cross-built DLLs and compares them with the
# lists in the tree; checks that dmscontent.dll imports from tqdms.dll only
# the boundary functions and that tqdms.dll reaches SNMP signs through WinSNMP.
# Usage: check-windows-exports.sh build-win32
set -euo pipefail
win=$1
root=$(cd "$(dirname "$0")/.." && pwd)
objdump=i686-w64-mingw32-objdump

exports_of() {
  "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    grep -E '^[[:space:]]+\[ *[0-9]+\] ' | awk '{print $NF}' | sort
}
expected() { grep -E '^_' "$1" | sort; }

status=0
check_dll() {
  local dll=$1 list=$2
  [ -f "$dll" ] || { echo "missing $dll"; status=1; return; }
  if ! diff <(expected "$list") <(exports_of "$dll") >/tmp/exports.diff.$$; then
    echo "export table of $(basename "$dll") differs from $(basename "$list") (< expected, > found):"
    cat /tmp/exports.diff.$$
    status=1
  else
    echo "$(basename "$dll"): $(expected "$list" | wc -l) exports as listed"
  fi
  rm -f /tmp/exports.diff.$$
}

check_dll "$win/src/dmscontent.dll" "$root/src/dmscontent.exports"
check_dll "$win/device/tqdms.dll" "$root/device/tqdms.exports"

boundary=$(grep -E '^_' "$root/device/tqdms.exports" | grep -v '^_tqsim' | sort)
imports=$("$objdump" -p "$win/src/dmscontent.dll" | sed -n '/DLL Name: tqdms.dll/,/^$/p' | awk 'NF==3 && $3 ~ /^_/ {print $3}' | sort)
outside=$(comm -13 <(echo "$boundary") <(echo "$imports"))
if [ -z "$imports" ] || [ -n "$outside" ]; then
  echo "dmscontent.dll imports from tqdms.dll outside the boundary: ${outside:-nothing imported}"
  status=1
else
  echo "dmscontent.dll imports $(echo "$imports" | wc -l) boundary functions from tqdms.dll"
fi
# The geometry extra is looked up by name at run time, so that the library
# also loads beside a device library without it: the name must be the one
# tqdms.dll exports.
if grep -qx '_tqGetVmsCfg@12' <(grep -E '^_' "$root/device/tqdms.exports") &&
   grep -q '_tqGetVmsCfg@12' "$win/src/dmscontent.dll"; then
  echo "dmscontent.dll looks up _tqGetVmsCfg@12 at run time"
else
  echo "dmscontent.dll does not look up _tqGetVmsCfg@12 as tqdms.dll exports it"
  status=1
fi
# snmp:// signs go through the WinSNMP transport (device/snmp); a tqdms.dll
# without wsnmp32.dll in its import table was linked without it.
tqdms_dlls=$("$objdump" -p "$win/device/tqdms.dll" | awk '/DLL Name:/ {print tolower($3)}' || true)
if grep -qx 'wsnmp32.dll' <<<"$tqdms_dlls"; then
  echo "tqdms.dll imports wsnmp32.dll (SNMP transport linked)"
else
  echo "tqdms.dll does not import wsnmp32.dll: the SNMP transport (tqdms_snmp) is not linked into it"
  status=1
fi
exit $status
