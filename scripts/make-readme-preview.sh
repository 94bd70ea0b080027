#!/usr/bin/env bash
# Makes docs/preview.png, the picture in the README: an example message
# previewed by dmsctl on a new simulated sign holding the example fonts,
# round LEDs at the largest scale that keeps it within 600 pixels wide.
# Usage: make-readme-preview.sh path/to/dmsctl [OUT.png]
set -euo pipefail
dmsctl=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${2:-$root/docs/preview.png}")
message='[jp3][fo2]ROAD WORK[nl][fo1][cf255,255,255]NEXT 2 KM'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$dmsctl" -q --sign sign.json fonts send --raw "$root"/examples/fonts/Fixed5x7.fnt "$root"/examples/fonts/Bold8x13.fnt >/dev/null
width=$("$dmsctl" --sign sign.json --json preview "$message" | sed -n 's/^  "width": \([0-9]*\).*/\1/p')
[ -n "$width" ] || { echo "the message does not render on the sign"; exit 1; }
scale=$((600 / width))
[ "$scale" -le 6 ] || scale=6
[ "$scale" -ge 1 ] || scale=1
mkdir -p "$(dirname "$out")"
"$dmsctl" --sign sign.json preview "$message" --png "$out" --scale "$scale" --terminal never
