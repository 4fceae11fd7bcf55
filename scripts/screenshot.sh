#!/usr/bin/env bash
# Saves offscreen pictures of the main window and the About box into
# the folder given (default: screenshots/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-screenshots}")
mkdir -p "$out"
./scripts/build.sh release >/dev/null
KDX_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=offscreen ./build/tests/kdx_widget_tests \
  --gtest_filter='*Screenshot*'
ls -l "$out"
