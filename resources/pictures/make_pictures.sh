#!/usr/bin/env bash
# Renders the drawn pictures into the PNGs the program compiles in (Qt reads
# PNG without extra modules). Needs python3 and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
out=../icons
tmp=$(mktemp -d)
(cd "$tmp" && python3 "$OLDPWD/draw_pictures.py")
for ppm in "$tmp"/*.ppm; do
    name=$(basename "$ppm" .ppm)
    convert "$ppm" -strip "$out/$name.png"
done
rm -rf "$tmp"
for size in 48 128 256; do
    convert -background none -density $((96 * size / 256 * 2)) tessaline.svg -resize ${size}x${size}! -strip "$out/tessaline-$size.png"
done
cp tessaline.svg "$out/tessaline.svg"
