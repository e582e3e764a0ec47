#!/usr/bin/env bash
# `cmake --install` of a build puts the program, its desktop entry and its icon where a Linux
# desktop finds them (under PREFIX/bin and PREFIX/share), and the SQL Server scripts beside.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/orscheduler.desktop"
for file in bin/orscheduler share/applications/orscheduler.desktop \
            share/orscheduler/sqlserver/03-procedures.sql \
            share/orscheduler/sqlserver/06-check-client-calls.sql; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$entry"

# The entry starts the installed program and shows the installed icon.
program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
[ -x "$prefix/bin/$program" ] || { echo "Exec=$program is not an installed program"; exit 1; }
icon="$(sed -n 's/^Icon=//p' "$entry")"
[ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
  { echo "Icon=$icon is not an installed icon"; exit 1; }
echo "installed: bin/$program, its desktop entry and the icon $icon"
