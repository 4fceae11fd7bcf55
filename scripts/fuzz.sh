#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60) on its corpus in fuzz/corpus/. New inputs go to
# a scratch folder; a crash leaves its input in build-fuzz/ and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
./scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKDX_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$(nproc)"
for target in profile address cp932; do
  scratch=$(mktemp -d)
  echo "== fuzz_$target for ${seconds}s"
  (cd build-fuzz && ./fuzz_$target -max_total_time="$seconds" -max_len=4096 \
      -print_final_stats=1 "$scratch" "../fuzz/corpus/$target" 2>&1 |
      grep -E '^(Done|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' || true)
  rm -rf "$scratch"
  if compgen -G 'build-fuzz/crash-*' >/dev/null || compgen -G 'build-fuzz/leak-*' >/dev/null ||
     compgen -G 'build-fuzz/timeout-*' >/dev/null; then
    echo "fuzz_$target: found a failing input (see build-fuzz/)" >&2
    exit 1
  fi
done
