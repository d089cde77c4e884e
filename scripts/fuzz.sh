#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for a bounded time under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from its seed corpus in fuzz/corpus/.
#   scripts/fuzz.sh            8 seconds per target
#   scripts/fuzz.sh 600        a long run: 10 minutes per target
# A target that fails leaves its input in build-fuzz/artifacts/ and its log in build-fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-8}
jobs=${JOBS:-2}
dir=$PWD/build-fuzz

cmake -S fuzz -B "$dir" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" -j"$jobs"

# The targets and their longest inputs, as fuzz/CMakeLists.txt defines them.
mapfile -t targets <"$dir/fuzz-targets.txt"
((${#targets[@]} > 0)) || { echo "no fuzz targets listed in $dir/fuzz-targets.txt"; exit 1; }

mkdir -p "$dir/logs" "$dir/artifacts"
failed=()
for entry in "${targets[@]}"; do
  read -r target maxlen <<<"$entry"
  corpus="$dir/corpus/$target"  # grows from run to run; the seeds stay as they are
  mkdir -p "$corpus"
  log="$dir/logs/$target.log"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$dir/${target}_fuzzer" -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$dir/artifacts/$target-" \
    "$corpus" "$PWD/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' || true)
    echo "fuzz $target: ok, $runs runs in ${seconds}s, $last"
  else
    echo "fuzz $target: FAILED (log $log)"
    tail -n 40 "$log"
    failed+=("$target")
  fi
done
((${#failed[@]} == 0)) || { echo "failed fuzz targets: ${failed[*]}"; exit 1; }
