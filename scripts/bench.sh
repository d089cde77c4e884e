#!/usr/bin/env bash
# Builds the module (and QuillmarPlainScan, the reference built with the plain per-ship arrival
# scan, where the build defines it), the stand-in simulator and the benchmarks in Release
# (build-bench/), runs every benchmark and prints the summary table. The full Google Benchmark output is kept in
# build-bench/bench-full.txt. Extra arguments go to the benchmark program (for example
# --benchmark_filter=Resting).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUILLMAR_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"${JOBS:-2}" --target bench
echo "running the benchmarks (a few minutes)..."
build-bench/bench/bench --benchmark_color=false "$@" >build-bench/bench-full.txt
sed -n '/^Ships at rest/,$p' build-bench/bench-full.txt
