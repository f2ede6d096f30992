# Debian packages the build, the game and the tests need; sourced by ./play and ./check.
# Installs what is missing when run as root, otherwise prints the line to run.
BARTENDAM_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev
  fonts-ipafont-gothic fonts-noto-cjk
  xvfb xauth imagemagick
  python3 python3-pyftpdlib vsftpd curl iproute2
  desktop-file-utils appstream
  lighttpd libpam-pwdfile chromium
)
# The fuzz targets need clang and its runtime (libFuzzer and the sanitizers); ./check runs them.
BARTENDAM_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

bartendam_install_missing() {
  local missing=()
  for p in "${BARTENDAM_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]} == 0)) && return 0
  if ((EUID == 0)); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
      { echo "apt-get install failed" >&2; return 1; }
  else
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    return 1
  fi
}

bartendam_build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build build -j"$(nproc)"
}

# The fuzz targets, built with clang in build-fuzz/, each run for $1 seconds from its seeds.
bartendam_fuzz() {
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DBARTENDAM_FUZZ=ON -DBARTENDAM_TESTS=OFF \
    >/dev/null &&
    cmake --build build-fuzz -j"$(nproc)" --target fuzz_all &&
    fuzz/run build-fuzz "$1"
}
