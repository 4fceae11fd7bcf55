#!/usr/bin/env bash
# The main job on a fresh machine: installs what is missing, builds, then
# runs a whole firmware update against the device emulator (see demo.sh).
# With a display it opens the window instead, fields filled for the emulator.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh release
exec ./scripts/demo.sh "$@"
