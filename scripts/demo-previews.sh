#!/usr/bin/env bash
# Previews of every example message document: for each message that renders,
# OUT/<document>-<type>-<number>.png (more pages: ...-<number>-<page>.png),
# drawn with round LEDs at scale 4 by dmsctl preview; a message that does
# not render prints its problem and gets no file. The messages are rendered
# on OUT/preview-sign.json, a simulated sign of 240 x 48 pixels like the
# demo's (the default one, 105 x 27, is too small for the example texts)
# holding the example fonts under their own numbers and the example pictures
# in rows 1 to 4.
# Usage: demo-previews.sh path/to/dmsctl OUT
set -uo pipefail
dmsctl=$1
out=$2
root=$(cd "$(dirname "$0")/.." && pwd)
examples=$root/examples
mkdir -p "$out" || exit 1
sign=$out/preview-sign.json
"$dmsctl" -q --sign "$sign" sign new --force --width 240 --height 48 >/dev/null || exit 1
"$dmsctl" -q --sign "$sign" fonts send --raw "$examples"/fonts/Fixed5x7.fnt "$examples"/fonts/Bold8x13.fnt \
  "$examples"/fonts/Fixed10x20.fnt "$examples"/fonts/Fixed6x10.fnn >/dev/null || exit 1
"$dmsctl" -q --sign "$sign" pictures send-all "$examples"/pictures/*.bmp >/dev/null || exit 1
for doc in "$examples"/messages/*.xml; do
  name=$(basename "$doc" .xml)
  "$dmsctl" --sign "$sign" preview --document "$doc" --png "$out/$name.png" --scale 4 --terminal never
  rc=$?
  # 1: a message did not render (shown above); anything else is a fault.
  [ "$rc" -le 1 ] || { echo "preview of $doc failed (exit $rc)"; exit 1; }
done
