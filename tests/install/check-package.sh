#!/usr/bin/env bash
# `make package`'s Debian package, unpacked into a scratch root: the program (stripped, its
# debug information in the -dbgsym package beside it), its desktop entry and icon, and the SQL
# Server scripts under /usr, with the runtime dependencies, the project's version and a
# maintainer named.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb="$(ls "$scratch"/out/orscheduler_*.deb)"
dbgsym="$(ls "$scratch"/out/orscheduler-dbgsym_*.*deb)"
dpkg-deb -x "$deb" "$scratch/root"
dpkg-deb -x "$dbgsym" "$scratch/dbgsym"

for file in usr/bin/orscheduler usr/share/applications/orscheduler.desktop \
            usr/share/icons/hicolor/scalable/apps/orscheduler.svg \
            usr/share/orscheduler/sqlserver/01-databases.sql \
            usr/share/orscheduler/sqlserver/06-check-client-calls.sql; do
  [ -e "$scratch/root/$file" ] || { echo "not in the package: $file"; exit 1; }
done
[ -x "$scratch/root/usr/bin/orscheduler" ] || { echo "the program is not executable"; exit 1; }
readelf -S "$scratch/root/usr/bin/orscheduler" | grep -q '\.debug_info' &&
  { echo "the program is not stripped"; exit 1; }
find "$scratch/dbgsym/usr/lib/debug/.build-id" -name '*.debug' | grep -q . ||
  { echo "the -dbgsym package holds no debug information"; exit 1; }

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
  { echo "Version $(dpkg-deb -f "$deb" Version) is not the project's $version"; exit 1; }
maintainer="$(dpkg-deb -f "$deb" Maintainer)"
grep -Eq '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$' <<<"$maintainer" && ! grep -q '@localhost>' <<<"$maintainer" ||
  { echo "Maintainer is no name and address: $maintainer"; exit 1; }

depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-odbc unixodbc; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
echo "packaged: $(basename "$deb") by $maintainer, $(basename "$dbgsym"), depending on $depends"
