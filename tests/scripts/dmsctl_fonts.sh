#!/usr/bin/env bash
# dmsctl fonts end to end: send the example fonts, list and count them, copy
# one back and look at its glyphs, and the refusals of bad input.
# Usage: dmsctl_fonts.sh path/to/dmsctl path/to/examples/fonts
set -u
dmsctl=$1
fonts=$(realpath "$2")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }

"$dmsctl" sign new >/dev/null || fail "sign new"
[ "$("$dmsctl" fonts count)" = 2 ] || fail "a new sign does not count its two fonts"
out=$("$dmsctl" fonts send "$fonts/Fixed5x7.fnt" "$fonts/Fixed6x10.fnn" 2>progress.txt) || fail "fonts send"
[ "$out" = "sent 2 of 2 fonts" ] || fail "send printed: $out"
grep -q "progress 100%" progress.txt || fail "no progress shown"
"$dmsctl" --json fonts list | grep -q '"name": "Fixed6x10.fnn"' || fail "sent font not listed"
[ "$("$dmsctl" fonts count)" = 2 ] || fail "count after send"

mkdir back
[ "$("$dmsctl" -q fonts get 1 back)" = "back/Fixed5x7.fnt" ] || fail "fonts get"
a=$("$dmsctl" fonts show "$fonts/Fixed5x7.fnt" AZ | tail -n +2)
b=$("$dmsctl" fonts show back/Fixed5x7.fnt AZ | tail -n +2)
[ "$a" = "$b" ] || fail "glyphs differ after the round trip"
printf '%s\n' "$a" | grep -qx "'A' 65, width 5" || fail "show printed: $a"
printf '%s\n' "$a" | grep -qx '####\.' || fail "no glyph art"
"$dmsctl" --json fonts show "$fonts/Fixed6x10.fnn" x | grep -q '"code": 120' || fail "json show"

# Bad input: one line on stderr, non-zero exit, no crash.
printf 'not a font' > bad.fnt
for args in "fonts send" "fonts send bad.fnt" "fonts get 0 back" "fonts get 7 back" "fonts get 1 nowhere" \
            "fonts show bad.fnt" "fonts show x.bmp" "fonts show missing.fnt" "fonts count extra"; do
  err=$("$dmsctl" -q $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "'$args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
echo "dmsctl fonts ok"
