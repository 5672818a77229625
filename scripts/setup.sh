# Sourced by run.sh, test.sh and the scripts in bench/: installs the Debian packages the project
# needs when any is missing, and configures and builds in build/: everything for the tests and
# benchmarks, only the programs for run.sh.

# What every build needs: the compiler and tools, GoogleTest and Google Benchmark (without them
# the tests or benchmarks are left out), CLI11 (required by kelvo-reduce), nlohmann's JSON (the
# engine reads plan files with it), Qt 6 for the window, Qt's own translations (the planner's
# dialogs in Spanish) and help2man for the manual page of kelvo-reduce.
kelvo_packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n help2man
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

# The package of the sanitizer runtime that the installed clang links: libclang-rt-N-dev for
# clang N, so that a newer Debian's clang finds its own.
kelvo_clang_runtime_package() {
  local version
  version=$(clang -dumpversion)
  echo "libclang-rt-${version%%.*}-dev"
}

# Configures build/ with the tests and benchmarks required, then builds it. Arguments go to the
# configure after the defaults, so that they override them (test.sh adds -DKELVO_WERROR=ON).
kelvo_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELVO_BUILD_UI=ON -DKELVO_BUILD_TESTS=ON -DKELVO_BUILD_BENCH=ON -DKELVO_WERROR=OFF "$@"
  cmake --build build
}

# Builds the three programs in build/ and nothing else. A folder configured already is built as it
# stands, so that a run after ./test.sh rebuilds nothing; a new one is configured without the
# tests and benchmarks, which a player does not need.
kelvo_build_programs() {
  if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_BUILD_UI=ON \
      -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=OFF -DKELVO_WERROR=OFF
  fi
  cmake --build build --target kelvo-reduce kelvo-reductor kelvo-planner
}
