# Font files: send the example fonts, copy one back, look at its glyphs
run fonts show "$examples/fonts/Fixed5x7.fnt" DMS
# --raw keeps the files' font numbers 1 to 4, which the messages below name.
run -q fonts send --raw "$examples/fonts/Fixed5x7.fnt" "$examples/fonts/Bold8x13.fnt" \
  "$examples/fonts/Fixed10x20.fnt" "$examples/fonts/Fixed6x10.fnn"
run fonts list
run fonts count
mkdir -p fonts-back
run fonts get 2 fonts-back
run fonts show fonts-back/Bold8x13.fnt Ok
