#!/usr/bin/env bash
# Builds everything and runs every test. With SANITIZE=1 it builds in build-asan with AddressSanitizer
# and UndefinedBehaviorSanitizer, stopping at the first error; QUERIMO_WERROR=1 makes warnings errors.
# Tests that compare with Access-made files find them through QUERIMO_CORPUS (default ../shared/corpus)
# and QUERIMO_CORPUS_ACCDB (default ../shared/corpus-accdb),
# and skip without them, unless QUERIMO_REQUIRE_CORPUS=1.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
flags=("-DQUERIMO_WERROR=$([ "${QUERIMO_WERROR:-0}" = 1 ] && echo ON || echo OFF)")
if [ "${SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  flags+=(-DCMAKE_BUILD_TYPE=Debug -DQUERIMO_BENCH=OFF
         "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
         "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
