#!/usr/bin/env bash
# Debian 12 packages that building, running and testing Querimo need.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake git pkg-config clang libclang-rt-14-dev \
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev qt6-translations-l10n \
  libsqlite3-dev sqlite3 zlib1g-dev libgtest-dev libgmock-dev googletest libbenchmark-dev \
  mdbtools xvfb xauth locales fonts-dejavu-core \
  desktop-file-utils appstream strace xdotool man-db dpkg-dev postgresql-15 >/dev/null
# A Dutch locale, so the tests of regional number forms (decimal comma) run instead of skipping.
$SUDO sed -i 's/^# *nl_NL.UTF-8 UTF-8/nl_NL.UTF-8 UTF-8/' /etc/locale.gen
$SUDO locale-gen >/dev/null
