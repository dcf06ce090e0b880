#!/usr/bin/env bash
# Quillon's one entry point: `run` builds and starts the program from the build tree,
# `test` builds and runs every test. Both install the Debian packages they need first.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang
  qt6-base-dev libqt6opengl6-dev libgl-dev libmpv-dev libcurl4-openssl-dev libminizip-dev zlib1g-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libcpp-httplib-dev googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
)

BUILD_DIR=${QUILLON_BUILD_DIR:-build}
SANITIZED_TESTS=(library_tests m3u_tests lang_tests translation_tests platform_tests skin_tests com_tests)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir"
}

case "${1:-}" in
  run)
    install_packages
    configure_and_build "$BUILD_DIR"
    if [ ! -x "$BUILD_DIR/bin/zunder" ]; then
      echo "$BUILD_DIR/bin/zunder was not built; see the build output above." >&2
      exit 1
    fi
    export QUILLON_REGISTRY_DIR=${QUILLON_REGISTRY_DIR:-$PWD/$BUILD_DIR/registry}
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display: starting Quillon under Xvfb." >&2
      exec xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD_DIR/bin/zunder"
    fi
    exec "$BUILD_DIR/bin/zunder"
    ;;
  test)
    shift
    install_packages
    # The sanitizers find what a plain run passes over; LeakSanitizer ignores the
    # leaks of the libraries named in the suppressions file.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/support/lsan.supp}
    if [ "${1:-}" = "--sanitize" ]; then
      # Every test, built with the sanitizers.
      BUILD_DIR=${QUILLON_BUILD_DIR:-build-asan}
      cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_BENCH=OFF
      cmake --build "$BUILD_DIR"
      ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
      exit
    fi
    configure_and_build "$BUILD_DIR" -DQUILLON_SANITIZE=OFF
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
    # Then the readers of the user's files and the component runtime again, built
    # with the sanitizers: the lists, the language file, the profile and registry
    # stores, the theme files and the runtime.
    # Unoptimised: it builds sooner, and the reports name every line.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_BENCH=OFF
    cmake --build build-asan --target "${SANITIZED_TESTS[@]}"
    ctest --test-dir build-asan --output-on-failure -j2 -R "^($(IFS='|'; echo "${SANITIZED_TESTS[*]}"))\$"
    ;;
  *)
    echo "usage: $0 run | test [--sanitize]" >&2
    exit 2
    ;;
esac
