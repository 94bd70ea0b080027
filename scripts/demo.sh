#!/usr/bin/env bash
# A short scripted dmsctl session against a simulated sign kept in
# build/demo/sign.json. Usage: demo.sh path/to/dmsctl
set -euo pipefail
dmsctl=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$root/build/demo
mkdir -p "$demo"
cd "$demo"
run() { echo "\$ dmsctl $*"; "$dmsctl" --sign sign.json "$@"; echo; }

run sign new --force --max-changeable 50 --max-multi 1024
run clock set 2026-12-06 10:20:30 --offset +05:30
run clock get
run --json clock get
run sign show
