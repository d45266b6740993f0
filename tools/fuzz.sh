#!/usr/bin/env bash
# Builds the fuzz targets with clang in build/fuzz and runs each from its seed corpus for a short
# time (FUZZ_SECONDS, 20 by default). New inputs go to a scratch folder, so every run starts from
# the same seeds; a crash or a broken invariant leaves its input in build/fuzz/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-20}
build="$root/build/fuzz"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

targets=()
for corpus in "$root"/fuzz/corpus/*/; do
  targets+=("$(basename "$corpus")")
done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DALAMBIX_FUZZ=ON -DALAMBIX_TESTS=OFF -DALAMBIX_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz-}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
  scratch=$(mktemp -d)
  echo "== fuzz-$target, ${seconds} s =="
  if ! "$build/fuzz/fuzz-$target" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
      -artifact_prefix="$build/findings/$target-" "$scratch" "$root/fuzz/corpus/$target" \
      2>"$build/$target.log"; then
    tail -n 60 "$build/$target.log"
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$build/$target.log" || true
  rm -rf "$scratch"
done
exit $status
