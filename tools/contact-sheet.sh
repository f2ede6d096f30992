#!/bin/bash
# Lays out cocktail icons as the game shows them (32 × 32 on black) on one sheet, to judge them.
# usage: tools/contact-sheet.sh FOLDER OUT.png [NAME...]  (names without ".ico"; all icons if none)
set -euo pipefail
folder=$1 out=$2
shift 2
names=("$@")
if ((${#names[@]} == 0)); then
  for f in "$folder"/*.ico; do names+=("$(basename "${f%.ico}")"); done
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i=0
for name in "${names[@]}"; do
  convert "$folder/$name.ico[0]" -background black -flatten "$work/$(printf %04d $i).png"
  i=$((i + 1))
done
montage "$work"/*.png -tile 16x -geometry 32x32+6+6 -background black "$out"
