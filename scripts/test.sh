#!/usr/bin/env bash
# The whole test suite: the formatting check, the plain build and its tests, a Release build, the
# fuzzers' short runs, the stand-in's Windows build with its tests under Wine, the module DLL in
# the simulator's own C++ ABI with its checks and test host under Wine, and last the build and
# tests under AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors in all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=${JOBS:-2}

run_suite() {  # build folder, cmake flags...
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMAR_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

echo "== formatting (clang-format-14, .clang-format)"
scripts/check-format.sh
echo "== the files README.md and docs/ name exist"
python3 scripts/check-doc-paths.py
echo "== plain build and tests"
run_suite build
echo "== Release build, warnings as errors (built only: the optimiser warns where others do not)"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQUILLMAR_WERROR=ON >/dev/null
cmake --build build-release -j"$jobs"
echo "== fuzzers, short run"
scripts/fuzz.sh
echo "== The stand-in's Windows build and tests under Wine"
scripts/test-windows.sh
echo "== The module DLL in the simulator's C++ ABI, its checks and its test host under Wine"
scripts/test-msvc.sh
echo "== The add-on packages players install, made and checked"
scripts/package.sh
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
run_suite build-asan -DQUILLMAR_SANITIZE=ON
