#!/usr/bin/env bash
# Redraws every picture of assets/pic with the artwork program (Qt, offscreen).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${TMPDIR:-/tmp}/tessaro-artwork-build"
cmake -S "$here/artwork" -B "$build" -G Ninja >/dev/null
cmake --build "$build" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tessaro-artwork" "$here/../assets/pic"
