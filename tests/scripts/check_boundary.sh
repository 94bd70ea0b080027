#!/usr/bin/env bash
# The content library defines none of the device library's boundary
# functions and imports nothing from it beyond them.
# Usage: check_boundary.sh libdmscontent.so tqdms.exports
set -euo pipefail
lib=$1
boundary=$(grep -E '^_' "$2" | grep -v '^_tqsim' | sed -E 's/^_//; s/@[0-9]+$//' | sort)
defined=$(nm -D --defined-only "$lib" | awk '{print $3}' | sort)
undefined=$(nm -D --undefined-only "$lib" | awk '{print $2}' | sed 's/@.*//' | sort)
clash=$(comm -12 <(echo "$boundary") <(echo "$defined"))
if [ -n "$clash" ]; then echo "defines boundary functions: $clash"; exit 1; fi
device_used=$(echo "$undefined" | grep -E '^(tq|GetIf$|GetTlsIndex$)' || true)
extra=$(comm -23 <(echo "$device_used") <(echo "$boundary"))
if [ -n "$extra" ]; then echo "needs device functions outside the boundary: $extra"; exit 1; fi
[ -n "$device_used" ] || { echo "uses no device function"; exit 1; }
echo "boundary ok: $(echo "$device_used" | wc -l) device functions used, none defined"
