#!/usr/bin/env bash
# dmsctl pictures end to end: send, send-all, list into files, get, delete,
# and the refusals of bad input.
# Usage: dmsctl_pictures.sh path/to/dmsctl path/to/examples/pictures
set -u
dmsctl=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }
d() { "$dmsctl" -q --sign sign.json "$@"; }

d sign new >/dev/null || fail "sign new"
out=$(d pictures send 5 "$examples/arrow-1bit.bmp" --name Arrow) || fail "send"
[[ "$out" == "row 5: Arrow, 26x16 monochrome1bit, 52 bytes" ]] || fail "send printed: $out"
d --json pictures list | grep -q '"name": "Arrow"' || fail "sent picture not listed"

# send-all: rows 1.. in order, row 5 is emptied, the last row is left alone.
d pictures send 16 "$examples/sun-24bit.bmp" >/dev/null || fail "send to the last row"
d pictures send-all "$examples"/*.bmp >/dev/null || fail "send-all"
list=$(d --json pictures list) || fail "list"
[ "$(grep -c '"row"' <<<"$list")" -eq 5 ] || fail "send-all left: $list"
grep -q '"row": 5' <<<"$list" && fail "row 5 not emptied"
grep -q '"row": 16' <<<"$list" || fail "last row touched"
err=$(d pictures send-all 1:"$examples/arrow-1bit.bmp" 1:"$examples/sun-24bit.bmp" 2>&1 >/dev/null) && fail "duplicate row accepted"
[[ "$err" == *"not sent"* ]] || fail "duplicate not explained: $err"

# Files a person can open: same size, header and pixels as the originals
# for the 24-bit picture (no palette), a red palette for the others.
d pictures send-all "$examples"/*.bmp >/dev/null || fail "send-all again"
d pictures list --save saved >/dev/null || fail "list --save"
n=0
for f in "$examples"/*.bmp; do
  n=$((n + 1))
  [ -s "saved/$n.bmp" ] || fail "saved/$n.bmp missing"
  [ "$(head -c 2 "saved/$n.bmp")" = "BM" ] || fail "saved/$n.bmp is not a BMP"
  [ "$(stat -c %s "saved/$n.bmp")" -eq "$(stat -c %s "$f")" ] || fail "saved/$n.bmp size differs from $f"
done
sun=$(ls "$examples"/*.bmp | grep -n sun-24bit | cut -d: -f1)
cmp -s <(tail -c +55 "saved/$sun.bmp") <(tail -c +55 "$examples/sun-24bit.bmp") || fail "24-bit pixels differ"
echo changed > saved/1.bmp
d pictures list --save saved --keep >/dev/null || fail "list --keep"
[ "$(cat saved/1.bmp)" = changed ] || fail "--keep overwrote a file"

d pictures get 2 two.bmp >/dev/null || fail "get"
cmp -s two.bmp saved/2.bmp || fail "get wrote another picture"
d pictures delete 2 >/dev/null || fail "delete"
d --json pictures list | grep -q '"row": 2,' && fail "row 2 still listed"
d pictures get 2 >/dev/null 2>&1 && fail "get of an empty row succeeded"

# Bad input: one line on stderr, non-zero exit, no crash.
echo "not a bitmap" > bad.bmp
for args in "pictures send 0 a.bmp" "pictures send 300 a.bmp" "pictures send 1 missing.bmp" "pictures send 1 bad.bmp" \
            "pictures send 1 bad.bmp --type 9" "pictures send 1 bad.bmp --transparent red" "pictures delete 0" \
            "pictures send-all 0:bad.bmp" "pictures get" "pictures"; do
  err=$(d $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -ne 0 ] && [ $rc -lt 128 ] || fail "'$args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
echo "dmsctl pictures ok"
