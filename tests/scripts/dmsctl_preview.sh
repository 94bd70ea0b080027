#!/usr/bin/env bash
# dmsctl preview, fonts show --png/--blocks: pages as PNG and GIF files and
# on the terminal, the renderer's verdict with its position, the file names,
# --json and the exit codes.
# Usage: dmsctl_preview.sh path/to/dmsctl path/to/examples
set -u
dmsctl=$1
examples=$(realpath "$2")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
fail() { echo "FAIL: $*"; exit 1; }

# Width and height of a PNG (its IHDR), and of a GIF (its screen).
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
gif_size() { od -An -tu1 -j6 -N4 "$1" | awk '{print $1+$2*256 "x" $3+$4*256}'; }
is_png() { [ "$(od -An -c -j1 -N3 "$1" | tr -d ' ')" = PNG ]; }

"$dmsctl" sign new >/dev/null || fail "sign new"

# Two pages of colour rectangles, the second flashing.
two='[cr1,1,10,5,255,0,0][np][pt20o5][flt5o3][cr1,1,4,4,0,255,0][/fl]'
out=$("$dmsctl" preview "$two" --png out.png --gif out.gif --terminal never) || fail "two pages: exit $?"
size=$("$dmsctl" --json preview "$two" --terminal never | tr -d ' \n' | sed -n 's/.*"height":\([0-9]*\).*"width":\([0-9]*\).*/\2x\1/p')
[ -n "$size" ] || fail "no size in --json"
w=${size%x*} h=${size#*x}
for f in out-1.png out-2.png; do
  is_png "$f" || fail "$f is not a PNG"
  [ "$(png_size "$f")" = "$((w * 4))x$((h * 4))" ] || fail "$f is $(png_size "$f"), sign ${size} at scale 4"
done
[ ! -e out.png ] || fail "two pages wrote out.png"
[ "$(head -c 6 out.gif)" = GIF89a ] || fail "out.gif is not a GIF89a"
[ "$(gif_size out.gif)" = "$((w * 4))x$((h * 4))" ] || fail "gif is $(gif_size out.gif)"
printf '%s\n' "$out" | grep -qx "page 2 of 2: on 2.0 s, off 0.5 s, flashing 0.5 s on / 0.3 s off" ||
  fail "page line: $out"
printf '%s\n' "$out" | grep -qx "wrote out.gif" || fail "no gif line: $out"
case $out in *$'\e'*) fail "--terminal never drew: $out" ;; esac
# auto: standard output is not a terminal here, so no drawing either.
case $("$dmsctl" preview "$two") in *$'\e'*) fail "auto drew into a pipe" ;; esac

# A blank message is one dark page.
[ "$("$dmsctl" preview '' --terminal never | head -n 1)" = "${size}, 1 page" ] || fail "a blank message"

# One page: OUT.png itself; --flat and --scale.
"$dmsctl" preview '[cr1,1,3,3,0,0,255]' --png one.png --scale 1 --flat --terminal never >/dev/null || fail "one page"
[ "$(png_size one.png)" = "$size" ] || fail "scale 1: $(png_size one.png)"

# The terminal: half blocks, a reset at every line end, both frames of a
# flashing page.
drawn=$("$dmsctl" preview "$two" --terminal always) || fail "terminal"
rows=$(( (h + 1) / 2 ))
[ "$(printf '%s\n' "$drawn" | grep -c $'\e\\[0m$')" -eq $((rows * 3)) ] ||
  fail "wanted $((rows * 3)) drawn lines (one page, a flash's two frames)"
[ "$(printf '%s\n' "$drawn" | grep -c '▀')" -eq $((rows * 3)) ] || fail "no half blocks"
printf '%s\n' "$drawn" | grep -qx "off frame:" || fail "no off frame"

# --json: pages and times, files written.
j=$("$dmsctl" --json preview "$two" --gif j.gif | tr -d ' \n')
case $j in *'"files":["j.gif"]'*'"pages":[{"flashes":false,"offTime":0,"onTime":30,"page":1},{"flashOff":3,"flashOffFirst":false,"flashOn":5,"flashes":true,"offTime":5,"onTime":20,"page":2}]'*'"rendered":true'*) ;;
  *) fail "--json: $j" ;; esac

# Not rendered: the problem and its position under the text, exit 1, no file.
bad='[cr1,1,2,2,255,0,0][fo9]AB'
out=$("$dmsctl" preview "$bad" --png bad.png)
[ $? -eq 1 ] || fail "a text that does not render: exit not 1"
[ "$out" = "$(printf 'fontNotDefined (6) at 19\n%s\n                   ^' "$bad")" ] || fail "verdict: $out"
[ ! -e bad.png ] || fail "a file written for a text that does not render"
j=$("$dmsctl" --json preview "$bad" | tr -d ' \n')
case $j in *'"problem":{"code":6,"name":"fontNotDefined","position":19},"rendered":false'*) ;; *) fail "--json: $j" ;; esac

# A message row of the sign, and a message document.
"$dmsctl" -q message put changeable 3 '[cr2,2,5,5,255,255,0]' >/dev/null || fail "message put"
j=$("$dmsctl" --json preview --message changeable:3 --png row.png | tr -d ' \n')
case $j in *'"multi":"[cr2,2,5,5,255,255,0]","number":3'*'"type":"changeable"'*) ;; *) fail "--message: $j" ;; esac
[ -e row-changeable-3.png ] || fail "--message file: $(ls)"
# Message documents on a sign holding the example fonts: each message's
# files carry its type and number; a message that does not render (here,
# neither of graphics.xml on this small sign without pictures) gets its
# verdict and no file.
"$dmsctl" -q fonts send --raw "$examples/fonts/Fixed5x7.fnt" "$examples/fonts/Bold8x13.fnt" >/dev/null || fail "fonts send"
cat > doc.xml <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<DmsMessage>
    <Event>
        <Activate type="changeable" number="5"/>
    </Event>
    <Message number="5" type="changeable" owner="t" beacon="0" pixelService="0" duration="0" runTimePriority="1">
        <PageMessage pageOnTime="20" pageOffTime="0">
            <SectionText><NormalText text="ONE" fontNum="1"/></SectionText>
        </PageMessage>
        <PageMessage pageOnTime="20" pageOffTime="0">
            <SectionText><NormalText text="TWO" fontNum="2"/></SectionText>
        </PageMessage>
    </Message>
    <Message number="6" type="volatile" owner="t" beacon="0" pixelService="0" duration="0" runTimePriority="1">
        <PageMessage pageOnTime="20" pageOffTime="0">
            <SectionText><NormalText text="HI" fontNum="1"/></SectionText>
        </PageMessage>
    </Message>
</DmsMessage>
XML
out=$("$dmsctl" preview --document doc.xml --png doc.png --gif doc.gif --terminal never) || fail "--document: $out"
for f in doc-changeable-5-1.png doc-changeable-5-2.png doc-changeable-5.gif doc-volatile-6.png doc-volatile-6.gif; do
  [ -e "$f" ] || fail "--document did not write $f: $(ls)"
done
# Moving text: its moments in the GIF, one every tick.
j=$("$dmsctl" --json preview '[pt20o][mvcl60,2,1,HI]' --gif mv.gif | tr -d ' \n')
case $j in *'"gifCut":false,"gifFrames":20,'*'"movingCycle":'*'"movingTick":1,'*) ;; *) fail "moving text: $j" ;; esac
out=$("$dmsctl" preview --document "$examples/messages/graphics.xml" --png g.png --terminal never)
[ $? -eq 1 ] || fail "--document with messages that do not render: exit not 1: $out"
[ "$(printf '%s\n' "$out" | grep -cE '^[a-zA-Z]+ \([0-9]+\) at [0-9]+$')" -eq 2 ] || fail "--document: $out"
[ -z "$(ls g-* 2>/dev/null)" ] || fail "files for messages that do not render: $(ls g-*)"

# pictures show: a picture of the sign on the terminal and as a PNG.
"$dmsctl" -q pictures send 2 "$examples/pictures/band-1bit-32.bmp" >/dev/null || fail "pictures send"
out=$("$dmsctl" pictures show 2 --terminal always) || fail "pictures show"
[ "$(printf '%s\n' "$out" | head -n 1)" = "picture 2: 32x8" ] || fail "pictures show: $out"
[ "$(printf '%s\n' "$out" | grep -c '▀')" -eq 4 ] || fail "pictures show: 4 lines of half blocks wanted: $out"
"$dmsctl" pictures show 2 --png pic.png --scale 3 --flat >/dev/null || fail "pictures show --png"
[ "$(png_size pic.png)" = "96x24" ] || fail "pictures show --png: $(png_size pic.png)"
j=$("$dmsctl" --json pictures show 2 | tr -d ' \n')
[ "$j" = '{"height":8,"number":2,"transparent":false,"width":32}' ] || fail "pictures show --json: $j"
"$dmsctl" -q pictures show 9 >/dev/null 2>&1
[ $? -eq 1 ] || fail "pictures show of an empty row: exit not 1"

# Bad arguments: exit 2, one line on standard error.
for args in "preview" "preview A --message changeable:1" "preview A --scale 0" "preview A --scale 33" \
            "preview --message changeable" "preview --message changeable:0" "preview A --terminal sometimes"; do
  err=$("$dmsctl" -q $args 2>&1 >/dev/null)
  rc=$?
  [ $rc -eq 2 ] || fail "'$args' exited $rc"
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "'$args' printed: $err"
done
"$dmsctl" preview '[cr1,1,2,2,255,0,0]' --png no/such/dir.png --terminal never >/dev/null 2>&1
[ $? -eq 1 ] || fail "an unwritable file: exit not 1"

# fonts show: the characters on a sign's face, and in half blocks.
"$dmsctl" fonts show "$examples/fonts/Fixed5x7.fnt" AB --png ab.png --scale 2 >/dev/null || fail "fonts show --png"
[ "$(png_size ab.png)" = "$(( (5 + 1 + 5) * 2 ))x14" ] || fail "fonts show --png: $(png_size ab.png)"
"$dmsctl" fonts show "$examples/fonts/Fixed5x7.fnt" A --blocks | grep -q '▀' || fail "fonts show --blocks"
echo "dmsctl preview ok"
