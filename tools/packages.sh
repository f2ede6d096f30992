# SPDX-License-Identifier: MIT
# Debian packages each command needs, and how they are installed; sourced by ./play, ./check and
# the package test. Installs what is missing when run as root, otherwise prints the line to run.

# Building the game and playing it: the compiler, Qt and the fonts its texts ask for. No server.
BARTENDAM_PLAY_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-ipafont-gothic fonts-noto-cjk
)
# The tests besides: GoogleTest; the FTP and web servers, browser and clients they start on
# 127.0.0.1 themselves; the desktop files' validators and what packing the game needs (file, for
# its libraries' dependencies); Xvfb and ImageMagick for the pictures and screenshots.
BARTENDAM_CHECK_PACKAGES=(
  "${BARTENDAM_PLAY_PACKAGES[@]}"
  libgtest-dev libgmock-dev
  python3 python3-pyftpdlib vsftpd lighttpd chromium curl iproute2
  desktop-file-utils appstream file
  xvfb xauth imagemagick
)
# The fuzz targets need clang and its runtime (libFuzzer and the sanitizers); ./check runs them.
BARTENDAM_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# bartendam_install_missing PACKAGE...: installs those of the packages that are missing. A server
# among them never runs as the distribution set it up: it is installed without being started, and
# its systemd units and init links are disabled and any running copy stopped at every call, so the
# only servers are the ones the project starts with its own configuration.
bartendam_install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]} > 0)); then
    if ((EUID != 0)); then
      echo "Missing packages. Run as root:" >&2
      echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
      return 1
    fi
    echo "Installing: ${missing[*]}"
    bartendam_without_starting apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}" ||
      { echo "apt-get install failed" >&2; return 1; }
  fi
  bartendam_keep_servers_down "$@"
}

# Runs apt-get update and the command under a policy that lets no package start a service; an
# existing policy (a container's or a chroot's) is kept as it is.
bartendam_without_starting() (
  policy=/usr/sbin/policy-rc.d
  export DEBIAN_FRONTEND=noninteractive
  if [[ ! -e $policy ]]; then
    # Gone again however the installation ends, so that later installations start services.
    trap 'rm -f "$policy"' EXIT
    printf '#!/bin/sh\n# No service starts while bartendam installs packages.\nexit 101\n' >"$policy"
    chmod 755 "$policy"
  fi
  apt-get update -qq && "$@" >/dev/null
)

# Disables and stops the services the named installed packages bring (their systemd units and
# System V init scripts; the units first, while their links still show them enabled), with or
# without systemd running. One already down is left as it is.
bartendam_keep_servers_down() {
  local p file name systemd=
  [[ -d /run/systemd/system ]] && systemd=1
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || continue
    while IFS= read -r file; do
      name=${file##*/}
      if [[ $file == /etc/init.d/* ]]; then
        if compgen -G "/etc/rc[2-5].d/S??$name" >/dev/null; then
          bartendam_as_root update-rc.d "$name" disable || return 1
        fi
        if [[ -z $systemd ]] && "$file" status >/dev/null 2>&1; then
          bartendam_as_root "$file" stop || return 1
        fi
      else
        # The helper keeps the state a package's upgrade reads, so a disabled unit stays disabled.
        if DPKG_MAINTSCRIPT_PACKAGE=$p deb-systemd-helper --quiet is-enabled "$name" ||
          DPKG_MAINTSCRIPT_PACKAGE=$p deb-systemd-helper --quiet was-enabled "$name"; then
          bartendam_as_root env DPKG_MAINTSCRIPT_PACKAGE="$p" deb-systemd-helper disable "$name" || return 1
        fi
        if [[ -n $systemd ]] && systemctl --quiet is-active "$name"; then
          bartendam_as_root systemctl stop "$name" || return 1
        fi
      fi
    done < <(dpkg-query -L "$p" | grep -E '^(/usr)?/lib/systemd/system/[^/@]+\.(service|socket)$|^/etc/init\.d/[^/]+$' | sort -r)
  done
}

# Runs a command that changes the system; without root it tells instead.
bartendam_as_root() {
  if ((EUID == 0)); then
    "$@"
  else
    echo "The distribution's service stays set up to run; as root: $*" >&2
  fi
}

# bartendam_build [CMAKE_OPTION...]: configures ./build with the options and builds all of it.
bartendam_build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
    cmake --build build -j"$(nproc)"
}

# The fuzz targets, built with clang in build-fuzz/, each run for $1 seconds from its seeds.
bartendam_fuzz() {
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DBARTENDAM_FUZZ=ON -DBARTENDAM_TESTS=OFF \
    >/dev/null &&
    cmake --build build-fuzz -j"$(nproc)" --target fuzz_all &&
    fuzz/run build-fuzz "$1"
}
