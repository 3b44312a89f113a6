#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a short while (FUZZ_SECONDS,
# default 60): open_scan_fuzz reads damaged files, write_rows_fuzz writes to them. Both start from small files
# our writer makes (Jet 3, Jet 4, and the Jet 4 one marked as Access 2007 and 2016), and from a few Access-made
# ones when the corpora are there.
set -euo pipefail
cd "$(dirname "$0")/.."
corpus="${QUERIMO_CORPUS:-$PWD/../shared/corpus}"
accdbCorpus="${QUERIMO_CORPUS_ACCDB:-$PWD/../shared/corpus-accdb}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUERIMO_FUZZ=ON \
  -DQUERIMO_GUI=OFF -DQUERIMO_TESTS=OFF -DQUERIMO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target open_scan_fuzz write_rows_fuzz
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds" build-fuzz/found
# The seeds are made by a plain (uninstrumented) querimo-sql.
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target querimo-sql
build/bin/querimo-sql --create --jet3 "$seeds/gemaakt-jet3.mdb" --script fuzz/seed.sql >/dev/null
build/bin/querimo-sql --create "$seeds/gemaakt-jet4.mdb" --script fuzz/seed.sql >/dev/null
# Access 2007 and later files keep Jet 4's pages: the format name and the version byte (0x14) tell them apart.
for version in 2 5; do
  ace="$seeds/gemaakt-ace$version.accdb"
  cp "$seeds/gemaakt-jet4.mdb" "$ace"
  printf 'ACE' | dd of="$ace" bs=1 seek=13 conv=notrunc status=none
  printf "\\x0$version" | dd of="$ace" bs=1 seek=20 conv=notrunc status=none
done
for f in delTestV1997.mdb adox_jet4.mdb db97-enc.mdb testV1997.mdb fixedNumericTestV2000.mdb; do
  if [ -f "$corpus/$f" ]; then cp "$corpus/$f" "$seeds/"; fi
done
for f in empty2007.accdb testPromotionV2007.accdb; do
  if [ -f "$accdbCorpus/$f" ]; then cp "$accdbCorpus/$f" "$seeds/"; fi
done
# -timeout catches an input that hangs; findings are written to build-fuzz/found.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in open_scan_fuzz write_rows_fuzz; do
  build-fuzz/bin/$target -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/found/$target- -print_final_stats=1 "$seeds"
done
