#!/usr/bin/env bash
# Installs what is missing, builds, and opens the tool.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release
exec ./build/kdxupdt "$@"
