#!/usr/bin/env bash
# Installs what is needed, builds Querimo and starts it from its build folder (sample database beside it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DQUERIMO_TESTS=OFF -DQUERIMO_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target querimo
exec build/bin/querimo
