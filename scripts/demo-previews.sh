#!/usr/bin/env bash
# Previews of every example message document on a sign: for each message,
# OUT/<document>-<type>-<number>.png (more pages: ...-<number>-<page>.png),
# drawn with round LEDs at scale 4 by dmsctl preview. A message the sign
# cannot render prints its problem and gets no file.
# Usage: demo-previews.sh path/to/dmsctl SIGN OUT
set -uo pipefail
dmsctl=$1
sign=$2
out=$3
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out" || exit 1
for doc in "$root"/examples/messages/*.xml; do
  name=$(basename "$doc" .xml)
  "$dmsctl" --sign "$sign" preview --document "$doc" --png "$out/$name.png" --scale 4 --terminal never
  rc=$?
  # 1: a message did not render (shown above); anything else is a fault.
  [ "$rc" -le 1 ] || { echo "preview of $doc failed (exit $rc)"; exit 1; }
done
