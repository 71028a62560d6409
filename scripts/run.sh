#!/usr/bin/env bash
# Installs what is missing, builds Tessaro and starts it on the learner's bank (a copy of the
# shipped demo bank on first start). Extra arguments go to the program, e.g. --bank FILE.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_BENCH=OFF
cmake --build build/run -j"$(nproc)"

if [[ -x build/run/bin/tessaro ]]; then
    exec build/run/bin/tessaro "$@"
fi
echo "Built the libraries and tools; the program build/run/bin/tessaro is not part of this tree yet."
