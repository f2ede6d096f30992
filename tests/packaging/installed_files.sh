#!/bin/bash
# SPDX-License-Identifier: MIT
# Installs the built game into a scratch prefix and checks what lands there: the program, the
# catalogue the build drew (no icon added by hand), the help file and the recipe cards, the
# desktop's files with the icon in every size, the manual page and the package's documents, and
# nothing else (no tests, no tools). The program names its menu entry by the entry's file name, and the package's
# changelog and the AppStream release notes list every release of CHANGELOG.md.
# Usage: installed_files.sh BUILD_DIR APP_ID CATALOGUE_MANIFEST CHANGELOG_MD
set -euo pipefail
build=$1 id=$2 manifest=$3 history=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix" "$prefix.changelog"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"
sizes=(16 22 24 32 48 64 128 256)
expected=(bin/bartendam share/bartendam/cocktail.hlp share/bartendam/recipes.tsv "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml" share/man/man6/bartendam.6.gz
  share/doc/bartendam/copyright share/doc/bartendam/changelog.gz share/lintian/overrides/bartendam)
for n in "${sizes[@]}"; do expected+=("share/icons/hicolor/${n}x$n/apps/$id.png"); done
while IFS= read -r icon; do expected+=("share/bartendam/cocktail/$icon"); done <"$manifest"
fail=0
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(find . -type f -printf '%P\n' | LC_ALL=C sort) ||
  { echo "installed files differ from the expected ones (< expected, > installed)"; fail=1; }
[[ -x bin/bartendam ]] || { echo "bin/bartendam is not executable"; fail=1; }
for n in "${sizes[@]}"; do
  got=$(identify -format '%wx%h' "share/icons/hicolor/${n}x$n/apps/$id.png")
  [[ $got == "${n}x$n" ]] || { echo "the ${n}x$n icon is $got"; fail=1; }
done
zcat share/man/man6/bartendam.6.gz | grep -q '^\.TH BARTENDAM 6 ' || { echo "no manual page in section 6"; fail=1; }
# The desktop id is kept in the program as UTF-16 text.
strings -el bin/bartendam | grep -qx "$id" || { echo "the program does not name its menu entry $id"; fail=1; }
releases=$(sed -n 's/^## \([0-9.]*\) .*/\1/p' "$history")
zcat share/doc/bartendam/changelog.gz >"$prefix.changelog"
packaged=$(dpkg-parsechangelog -l "$prefix.changelog" --format rfc822 --all | sed -n "s/^Version: //p")
[[ $packaged == "$releases" ]] || { echo "the package's changelog lists $packaged, not $releases"; fail=1; }
noted=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "share/metainfo/$id.metainfo.xml")
[[ $noted == "$releases" ]] || { echo "the release notes list $noted, not $releases"; fail=1; }
((($(wc -l <"$manifest")) > 100)) || { echo "the catalogue holds too few icons for a game"; fail=1; }
exit $fail
