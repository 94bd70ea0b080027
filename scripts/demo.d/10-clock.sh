# A new sign and its clock
run sign new --force --max-changeable 50 --max-multi 1024
run clock set 2026-12-06 10:20:30 --offset +05:30
run clock get
run --json clock get
