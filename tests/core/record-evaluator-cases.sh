#!/usr/bin/env bash
# Builds evaluatorcases.cpp against the evaluator and keypad of commit REV, in a temporary
# folder, and runs it with the other arguments. evaluator_cases.tsv holds what the first, plain
# evaluator gave, as it stood at f118aab; it is recorded again, byte for byte, with
#   tests/core/record-evaluator-cases.sh f118aab --replay tests/core/evaluator_cases.tsv
# and new rows, of the same kinds, come from a seed:
#   tests/core/record-evaluator-cases.sh f118aab 2 > rows.tsv
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if (($# < 2)); then
  echo "usage: $0 REV SEED | REV --replay FILE" >&2
  exit 2
fi
rev=$1
shift
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
git -C "$(git -C "$here" rev-parse --show-toplevel)" archive "$rev" | tar -x -C "$tree"
# The evaluator lived in calculator/ before it moved to core/.
for folder in calculator core; do [[ -e $tree/$folder/evaluator.cpp ]] && break; done
blanks=("$tree"/*/blanks.cpp)
mkdir -p "$tree/core"
for header in evaluator calculatorkeys; do
  [[ -e $tree/core/$header.h ]] || ln -s "$tree/$folder/$header.h" "$tree/core/$header.h"
done
# shellcheck disable=SC2046 # the compiler flags are words
c++ -std=c++20 -O1 -fPIC -I"$tree" "$here/evaluatorcases.cpp" \
  "$tree/$folder"/{evaluator*,numberformat,calculatorkeys}.cpp "${blanks[0]}" \
  $(pkg-config --cflags --libs Qt6Core) -o "$tree/evaluatorcases"
"$tree/evaluatorcases" "$@"
