#!/usr/bin/env bash
# The snap's PNG encoder on a 3840 x 2160 picture under Wine: time against a memcpy of the
# picture, and file size against its raw bytes. Uses the README's main-window screenshot scaled
# up (a real desktop's mix of flat areas and detail) unless given another picture.
# Usage: scripts/bench-snap-encode.sh [picture.png]   (needs a built windows preset)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
picture=${1:-$root/docs/screenshot.png}
wine "$root/build/windows/bench/snap_encode_timing.exe" "$(winepath -w "$picture")" </dev/null 2>/dev/null
