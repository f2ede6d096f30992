#!/bin/bash
# SPDX-License-Identifier: MIT
# Packs the built game twice, a second apart: every file carries one fixed date, so both packages
# are the same to the byte. Usage: same_package.sh BUILD_DIR
set -euo pipefail
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for n in 1 2; do
  cpack --config "$1/CPackConfig.cmake" -B "$out/$n" >/dev/null
  sleep 1
done
sums=$(cd "$out" && sha256sum */bartendam_*.deb)
echo "$sums"
[[ $(cut -d' ' -f1 <<<"$sums" | uniq | wc -l) == 1 ]]
