#!/usr/bin/env bash
# A whole firmware update against the device emulator, with no device at
# hand: the emulator listens on 192.0.2.10 inside a private network
# namespace, a sample image is generated, and the tool updates it.
# With a display the window opens with its fields filled (press the update
# button); without one the command-line front end runs the update and the
# received image is checked byte for byte. Settings go to a folder of the
# demo's own, never the user's.
#   demo.sh [--cli | --window]   (default: the window when there is a display)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
mode=auto
case "${1:-}" in
  --cli) mode=cli ;;
  --window) mode=window ;;
  "") ;;
  *) echo "usage: demo.sh [--cli | --window]" >&2; exit 2 ;;
esac
if [ "$mode" = auto ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then mode=window; else mode=cli; fi
fi

work=$(mktemp -d /tmp/kdxupdt-demo.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/device"
head -c 262144 /dev/urandom > "$work/sample.bin"
printf '[CONFIG]\nHost=192.0.2.10\nPort=55550\nFile=%s\n' "$work/sample.bin" > "$work/config/RIVURER.INI"
echo "demo: sample image $work/sample.bin (262144 bytes); emulator on 192.0.2.10:55550"

export XDG_CONFIG_HOME="$work/config" KDX_BUILD="$build" KDX_WORK="$work" KDX_MODE="$mode"
# Everything below runs in a network namespace of its own.
tests/e2e/in_netns.sh bash -c '
  set -u
  "$KDX_BUILD/kdxupdt-devsim" --address 192.0.2.10 --port 55550 --store "$KDX_WORK/device" \
      --log "$KDX_WORK/device/devsim.log" --exit-after-image > "$KDX_WORK/device/listening" &
  sim=$!
  for _ in $(seq 50); do [ -s "$KDX_WORK/device/listening" ] && break; sleep 0.1; done
  if [ "$KDX_MODE" = window ]; then
    "$KDX_BUILD/kdxupdt"; status=$?
  else
    "$KDX_BUILD/kdxupdt-cli" --yes 192.0.2.10 55550 "$KDX_WORK/sample.bin"; status=$?
  fi
  kill $sim 2>/dev/null; wait $sim 2>/dev/null
  exit $status
' && status=0 || status=$?

echo "--- emulator log"
sed 's/^/  /' "$work/device/devsim.log" 2>/dev/null || true
if [ "$mode" = cli ]; then
  if [ "$status" -eq 0 ] && cmp -s "$work/sample.bin" "$work/device/image-1.bin"; then
    echo "demo: the emulator received the image byte for byte"
  else
    echo "demo: FAILED (exit status $status, or the received image differs)" >&2
    exit 1
  fi
fi
exit "$status"
