#!/usr/bin/env bash
# Installs what is missing, builds Tarvo and starts it. Arguments go to the program (/gain=50 ...).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF >/dev/null
cmake --build build
exec build/src/app/tarvo "$@"
