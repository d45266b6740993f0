#!/usr/bin/env bash
# Installs what is missing, checks that every source file is formatted as .clang-format says,
# then builds and runs every test twice: a normal build with warnings
# as errors, and a build under the address and undefined-behaviour sanitizers; then runs every fuzz
# target for a short time from its seed corpus (tools/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" --tests

jobs=$(nproc)
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== Formatting (clang-format) =="
if [[ -d "$root/.git" ]]; then
  git -C "$root" ls-files -z '*.cpp' '*.h'
else
  (cd "$root" && find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0)
fi | (cd "$root" && xargs -0 clang-format --dry-run --Werror)

echo "== Build and tests =="
cmake -S "$root" -B "$root/build/test" -DCMAKE_BUILD_TYPE=Debug -DALAMBIX_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$root/build/test" -j"$jobs"
ctest --test-dir "$root/build/test" --output-on-failure -j"$jobs"

echo "== Build and tests under the sanitizers =="
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DALAMBIX_WERROR=ON \
  -DALAMBIX_SANITIZE=ON -DALAMBIX_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$root/build/sanitize" -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$root/build/sanitize" --output-on-failure -j"$jobs"

echo "== Fuzz targets, from their seed corpora =="
"$root/tools/fuzz.sh"
