#!/usr/bin/env bash
# Takes the README's screenshots on a virtual 1024 x 768 display:
#   scripts/take-screenshots.sh BUILD-FOLDER [BANK]
set -euo pipefail
build="${1:?build folder}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bank="${2:-$build/share/tessaro/data/bank.sqlite}"
cmake --build "$build" --target tessaro-screenshots tessaro_assets >/dev/null
display=":97"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb"' EXIT
sleep 1
scratch="$(mktemp -d)"
cp "$bank" "$scratch/bank.sqlite"
DISPLAY="$display" XDG_RUNTIME_DIR="$scratch" "$build/bin/tessaro-screenshots" \
    "$scratch/bank.sqlite" "$root/docs/screenshots"
rm -rf "$scratch"
