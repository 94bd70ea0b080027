#!/usr/bin/env bash
# Makes the example sign fonts in examples/fonts from the public-domain
# misc-fixed bitmap fonts of Debian's xfonts-base package (PCF files,
# turned into BDF by pcf2bdf). Needed only to remake them: the fonts are
# kept in the repository. Usage: make-example-fonts.sh [OUTPUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/examples/fonts}
misc=/usr/share/fonts/X11/misc
for need in "$misc/5x7.pcf.gz:xfonts-base" "/usr/bin/pcf2bdf:pcf2bdf"; do
  [ -e "${need%%:*}" ] || { echo "missing ${need%%:*}: apt-get install ${need##*:}" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# source  output          number  char spacing  line spacing
while read -r source output number spacing lines; do
  zcat "$misc/$source.pcf.gz" > "$work/$source.pcf"
  pcf2bdf -o "$work/$source.bdf" "$work/$source.pcf"
  python3 "$root/scripts/bdf-to-font.py" "$work/$source.bdf" "$out/$output" "$number" "$spacing" "$lines"
  echo "$out/$output"
done <<'LIST'
5x7   Fixed5x7.fnt    1 1 2
8x13B Bold8x13.fnt    2 1 3
10x20 Fixed10x20.fnt  3 2 4
6x10  Fixed6x10.fnn   4 1 2
LIST
