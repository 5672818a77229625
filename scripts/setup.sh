# Sourced by run.sh and test.sh: installs the Debian packages the project needs when any is
# missing, then configures and builds everything in build/.

kelvo_packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev libcli11-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
)

kelvo_install_missing() {
  local missing=()
  local package
  for package in "${kelvo_packages[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; return 1; }
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

kelvo_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELVO_BUILD_UI=ON -DKELVO_BUILD_TESTS=ON -DKELVO_BUILD_BENCH=ON
  cmake --build build
}
