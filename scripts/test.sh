#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build,
# then the same tests under the address and undefined-behaviour sanitizers.
# SANITIZE=0 skips the second run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release
(cd build && ctest --output-on-failure -j "$(nproc)")
if [ "${SANITIZE:-1}" != 0 ]; then
  ./scripts/build.sh sanitize
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j "$(nproc)")
fi
