#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON >/dev/null
cmake --build build-test
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
