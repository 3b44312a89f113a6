#!/usr/bin/env bash
# Builds the Debian package from the build folder (made by scripts/test.sh), installs it with apt-get, checks
# the installed programs and removes the package again. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
dir=build
cmake -S . -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && rm -f querimo_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$PWD/$dir"/querimo_*.deb)
dpkg-deb --field "$deb" Depends | grep -q -- "-dev" && { echo "package-test: $deb depends on -dev packages" >&2; exit 1; }
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap '$SUDO apt-get remove -y -qq querimo >/dev/null' EXIT
scripts/check-installed.sh /usr/bin /usr/share/querimo
for page in querimo querimo-sql; do
  man -w "$page" >/dev/null || { echo "package-test: no man page for $page" >&2; exit 1; }
done
echo "package-test: $(basename "$deb") installs, runs and is removed"
