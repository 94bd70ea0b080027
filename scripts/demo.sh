#!/usr/bin/env bash
# A short scripted dmsctl session against a simulated sign kept in
# build/demo/sign.json: the parts in scripts/demo.d run in name order.
# Usage: demo.sh path/to/dmsctl
set -euo pipefail
dmsctl=$(realpath "$1")
root=$(cd "$(dirname "$0")/.." && pwd)
demo=$root/build/demo
examples=$root/examples
mkdir -p "$demo"
cd "$demo"
run() { echo "\$ dmsctl $*"; "$dmsctl" --sign sign.json "$@"; echo; }
for part in "$root"/scripts/demo.d/*.sh; do
  echo "## $(sed -n 's/^# //p;q' "$part")"
  . "$part"
done
