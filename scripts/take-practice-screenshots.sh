#!/usr/bin/env bash
# Takes the practice screenshots on virtual displays of 1024 x 768 and 800 x 600:
#   scripts/take-practice-screenshots.sh BUILD-FOLDER [BANK]
set -euo pipefail
build="${1:?build folder}"
root="$(cd "$(dirname "$0")/.." && pwd)"
bank="${2:-$build/share/tessaro/data/bank.sqlite}"
cmake --build "$build" --target tessaro-practice-screenshots tessaro_assets >/dev/null
display=":87"
for size in 1024x768 800x600; do
    Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    scratch="$(mktemp -d)"
    cp "$bank" "$scratch/bank.sqlite"
    DISPLAY="$display" XDG_RUNTIME_DIR="$scratch" XDG_DATA_HOME="$scratch" \
        "$build/bin/tessaro-practice-screenshots" "$scratch/bank.sqlite" \
        "$root/docs/screenshots" "${size%%x*}"
    rm -rf "$scratch"
    kill "$xvfb"
    wait "$xvfb" 2>/dev/null || true
done
