#!/usr/bin/env bash
# Builds and runs the whole test suite twice: plain, and under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=${JOBS:-2}
for variant in plain asan; do
  dir=build
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  if [ "$variant" = asan ]; then
    dir=build-asan
    flags+=(-DQM_SANITIZE=ON)
  fi
  echo "== $variant build"
  cmake -S . -B "$dir" "${flags[@]}" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $variant tests"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
done
