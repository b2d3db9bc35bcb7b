#!/usr/bin/env bash
# Builds the libFuzzer target of the formula evaluator and the calculator scripts with clang
# (address and undefined behaviour sanitizers) and runs it.  Kept apart from the CMake
# build, which never needs clang.
#   tools/fuzz/run_calc_fuzzer.sh [SECONDS] [extra libFuzzer options...]
# New inputs go to the working corpus in the build folder; tools/fuzz/corpus_calc holds
# the small seed corpus kept in the repository, formulas and scripts alike.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds="${1:-300}"
shift || true
out="${CALC_FUZZ_DIR:-build-fuzz}"
mkdir -p "$out/corpus"

sources=(
    tools/fuzz/calc_fuzzer.cpp
    src/calc/calcexpress.cpp
    src/calc/calc_parser.cpp
    src/calc/calc_lexer.cpp
    src/calc/calc_arithmetic.cpp
    src/calc/calc_script.cpp
    src/calc/user_calculator.cpp
    src/text/format_settings.cpp
    src/text/number_format.cpp
)
# float-divide-by-zero is not part of "undefined", but every division here is meant to be
# checked before it happens.
clang++ -std=c++20 -g -O1 -fPIC \
    -fsanitize=fuzzer,address,undefined,float-divide-by-zero -fno-sanitize-recover=all \
    -Wall -Wextra -Isrc $(pkg-config --cflags Qt6Core) \
    "${sources[@]}" $(pkg-config --libs Qt6Core) -o "$out/calc_fuzzer"

# Scripts need room for a few lines; formulas are found in the first of them as well.
exec "$out/calc_fuzzer" "$out/corpus" tools/fuzz/corpus_calc \
    -dict=tools/fuzz/calc.dict -max_total_time="$seconds" -max_len=1024 \
    -print_final_stats=1 "$@"
