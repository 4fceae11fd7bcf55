#!/usr/bin/env bash
# The transfer benchmark (not part of the tests): paced transfers of 64 KiB,
# 1 MiB and 4 MiB, then unpaced 1 MiB and 1 GiB runs for peak memory and
# throughput, against the emulator on 192.0.2.10 in a private network
# namespace. Prints a table and writes JSON (default bench/results.json).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-bench/results.json}")
./scripts/install-deps.sh
./scripts/build.sh release >/dev/null
export KDX_OUT="$out"
tests/e2e/in_netns.sh bash -c '
  ./build/kdxupdt-devsim --address 192.0.2.10 --port 55550 --discard --switch-requests 0 \
      --log /dev/null > /dev/null &
  sim=$!
  sleep 0.3
  ./build/kdxupdt-bench 55550 "$KDX_OUT"; status=$?
  kill $sim; wait $sim 2>/dev/null
  exit $status
'
