#!/usr/bin/env bash
# Installs the build folder into a temporary prefix and checks what a Linux desktop reads there, then runs the
# installed programs. install_tree_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_tree_test: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli strace; do
  command -v "$tool" >/dev/null || { echo "install_tree_test: skipped, $tool is not installed"; exit 77; }
done

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/querimo bin/querimo-sql share/querimo/sqlwords.dat share/querimo/voorbeeld.mdb \
  share/icons/hicolor/scalable/apps/querimo.svg share/icons/hicolor/{16x16,32x32,48x48,256x256}/apps/querimo.png \
  share/applications/nl.querimo.Querimo.desktop share/metainfo/nl.querimo.Querimo.metainfo.xml \
  share/man/man1/querimo.1.gz share/man/man1/querimo-sql.1.gz; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
desktop-file-validate "$prefix/share/applications/nl.querimo.Querimo.desktop" || fail "desktop entry rejected"
appstreamcli validate --no-net "$prefix/share/metainfo/nl.querimo.Querimo.metainfo.xml" >/dev/null \
  || fail "AppStream metadata rejected"
for page in querimo querimo-sql; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done
"$source/scripts/check-installed.sh" "$prefix/bin" "$prefix/share/querimo"
