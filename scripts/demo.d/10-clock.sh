# A new 240 x 48 sign, big enough for the example documents, and its clock
run sign new --force --max-changeable 50 --max-multi 1024 --width 240 --height 48
run clock set 2026-12-06 10:20:30 --offset +05:30
run clock get
run --json clock get
