#!/usr/bin/env bash
# Builds the .deb, installs it into a scratch root and runs the installed
# command-line front end from there.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/kdxupdt_*.deb | head -n 1)
echo "package: $deb"
dpkg-deb --field "$deb" Package Version Depends
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
for f in usr/bin/kdxupdt usr/bin/kdxupdt-cli usr/bin/kdxupdt-devsim \
         usr/share/applications/kdxupdt.desktop \
         usr/share/icons/hicolor/32x32/apps/kdxupdt.xpm \
         usr/share/icons/hicolor/16x16/apps/kdxupdt.xpm; do
  [ -e "$root/$f" ] || { echo "package: $f missing" >&2; exit 1; }
done
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' ||
  { echo "package: Qt is not among the dependencies" >&2; exit 1; }
"$root/usr/bin/kdxupdt-cli" --help | head -n 1
"$root/usr/bin/kdxupdt-devsim" --help | head -n 1
echo "package: installed into a scratch root and ran"
