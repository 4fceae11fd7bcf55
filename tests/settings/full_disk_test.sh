#!/usr/bin/env bash
# A full disk under the settings file: the tool runs on, reports nothing
# about it, and the old file stays whole. Runs in a private mount namespace
# with a tiny file system of its own.
#   full_disk_test.sh PATH/TO/kdxupdt-cli
set -euo pipefail
cli=$(realpath "$1")
exec unshare -rm bash -s "$cli" <<'INNER'
set -euo pipefail
cli=$1
dir=$(mktemp -d)
mount -t tmpfs -o size=64k tmpfs "$dir"
printf '[CONFIG]\nHost=192.0.2.10\nPort=4000\nFile=/nonexistent.bin\n' > "$dir/RIVURER.INI"
before=$(cat "$dir/RIVURER.INI")
dd if=/dev/zero of="$dir/filler" bs=1k count=100 2>/dev/null || true
status=0
XDG_CONFIG_HOME=$dir "$cli" --yes 192.0.2.20 5000 /nonexistent.bin > "$dir/../out.$$" 2>&1 || status=$?
after=$(cat "$dir/RIVURER.INI")
leftovers=$(ls "$dir" | grep -v -e '^RIVURER.INI$' -e '^filler$' || true)
umount "$dir"
if [ "$status" -ne 2 ]; then echo "FAIL: exit status $status, expected 2 (bad input)"; exit 1; fi
if [ "$before" != "$after" ]; then echo "FAIL: settings file changed on a full disk"; exit 1; fi
if [ -n "$leftovers" ]; then echo "FAIL: temporary files left: $leftovers"; exit 1; fi
echo "full disk: settings file intact, no leftovers, exit status 2"
INNER
