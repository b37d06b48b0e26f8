#!/usr/bin/env bash
# Regenerates the artwork the program stores as files: builds the native generator, lets
# it draw, and converts its output into the formats the resources hold.
#
#   scripts/make_artwork.sh [BUILD_DIR]   (default: /tmp/orvane-artwork-build)
#
# Writes src/resources/preview_still.jpg (152 x 112, the preview's still) and
# src/resources/orvane.ico (the program's icon, written whole by the generator). The dialog's
# pictures and cursor are drawn by the program itself when the dialog opens.
set -euo pipefail

root=$(cd -- "$(dirname -- "$0")/.." && pwd -P)
build=${1:-/tmp/orvane-artwork-build}
out=$(mktemp -d)
trap 'rm -rf -- "$out"' EXIT

cmake -S "$root" -B "$build" -G Ninja -DORVANE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target make_artwork -j2 >/dev/null
"$build/tools/make_artwork/make_artwork" "$out"

# Baseline JPEG without metadata, so the file changes only when the picture does.
convert "$out/preview_still.ppm" -strip -interlace none -sampling-factor 4:4:4 \
  -quality 95 "$root/src/resources/preview_still.jpg"
identify "$root/src/resources/preview_still.jpg"
cp "$out/orvane.ico" "$root/src/resources/orvane.ico"
identify "$root/src/resources/orvane.ico"
