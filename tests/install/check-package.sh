#!/usr/bin/env bash
# `make package`'s Debian package, unpacked into a scratch root: the program, its desktop entry
# and icon, and the SQL Server scripts under /usr, with the runtime dependencies named.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb="$(ls "$scratch"/out/*.deb)"
dpkg-deb -x "$deb" "$scratch/root"

for file in usr/bin/orscheduler usr/share/applications/orscheduler.desktop \
            usr/share/icons/hicolor/scalable/apps/orscheduler.svg \
            usr/share/orscheduler/sqlserver/01-databases.sql \
            usr/share/orscheduler/sqlserver/06-check-client-calls.sql; do
  [ -e "$scratch/root/$file" ] || { echo "not in the package: $file"; exit 1; }
done
[ -x "$scratch/root/usr/bin/orscheduler" ] || { echo "the program is not executable"; exit 1; }

depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-odbc unixodbc; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || { echo "Depends lacks $needed: $depends"; exit 1; }
done
echo "packaged: $(basename "$deb"), depending on $depends"
