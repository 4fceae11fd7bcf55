#!/usr/bin/env bash
# Runs a command in a private network namespace of its own where loopback
# also carries 192.0.2.10, the emulator's address. Nothing leaves it.
set -euo pipefail
exec unshare -rn sh -c 'ip link set lo up && ip addr add 192.0.2.10/24 dev lo && exec "$@"' sh "$@"
