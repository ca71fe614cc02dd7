#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them. Extra arguments go to the
# benchmark program, e.g. --benchmark_filter=Talk --benchmark_repetitions=5
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ]; then
    scripts/deps.sh linux
    dpkg -s libbenchmark-dev >/dev/null 2>&1 || apt-get install -y -qq libbenchmark-dev >/dev/null
fi
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DORVANE_BENCH=ON -DORVANE_TESTS=OFF >/dev/null
cmake --build build/bench -j"$(nproc)" --target orvane_bench orvane_cost_bench
build/bench/bin/orvane_bench "$@"
build/bench/bin/orvane_cost_bench
