#!/bin/bash
# SPDX-License-Identifier: MIT
# ./play installs no server: no package that ./play names, nor any that these depend on, is a web
# or FTP server (a provider of httpd or ftp-server), nor one of the servers and the browser that
# only the tests need. The check list, which holds them, proves that the look-up finds them.
set -euo pipefail
source "$(dirname "$0")/../../tools/packages.sh"
closure() {
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
    --no-enhances "$@" | grep -v '^ ' | tr -d '<>' | LC_ALL=C sort -u
}
servers() {
  { apt-cache showpkg httpd httpd-cgi ftp-server | sed -n '/^Reverse Provides:/,/^Package:/s/^\([a-z0-9][^ ]*\) .*/\1/p'
    printf '%s\n' vsftpd lighttpd chromium python3-pyftpdlib; } | LC_ALL=C sort -u
}
apt-cache show cmake >/dev/null 2>&1 || { echo "no package lists (apt-get update): skipped"; exit 77; }
found=$(LC_ALL=C comm -12 <(closure "${BARTENDAM_PLAY_PACKAGES[@]}") <(servers))
[[ -z $found ]] || { echo "./play would install: $found"; exit 1; }
[[ $(LC_ALL=C comm -12 <(closure "${BARTENDAM_CHECK_PACKAGES[@]}") <(servers) | wc -l) -ge 4 ]] ||
  { echo "the check list's servers are not found"; exit 1; }
echo "./play installs no server"
