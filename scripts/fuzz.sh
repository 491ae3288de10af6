#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (60 unless told),
# starting from its seed corpus in fuzz/corpus/<name>; new inputs go to build-fuzz/corpus/<name>,
# crashes to build-fuzz/crashes/. Prints each target's runs, coverage and corpus size.
#   scripts/fuzz.sh [SECONDS] [TARGET...]    (all targets unless named)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/setup.sh
command -v clang++ >/dev/null || { echo "clang++ is missing: apt-get install clang"; exit 1; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_FUZZ=ON \
    -DTARVO_TESTS=OFF -DTARVO_BENCH=OFF >/dev/null
cmake --build build-fuzz
mkdir -p build-fuzz/crashes
if [ $# -eq 0 ]; then
    set -- $(basename -a fuzz/corpus/*/)
fi
status=0
for name in "$@"; do
    seeds=fuzz/corpus/$name
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    log=build-fuzz/$name.log
    if ! "build-fuzz/fuzz/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/crashes/"$name"- "$corpus" "$seeds" >"$log" 2>&1; then
        echo "$name: FAILED, see $log"
        status=1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*' || echo 0)
    echo "$name: $runs runs, coverage $coverage edges, corpus $(ls "$corpus" | wc -l) inputs"
done
exit $status
