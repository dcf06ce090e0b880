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
    sanitize=OFF
    [ "${1:-}" = "--sanitize" ] && sanitize=ON && BUILD_DIR=${QUILLON_BUILD_DIR:-build-asan}
    configure_and_build "$BUILD_DIR" -DQUILLON_SANITIZE=$sanitize
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
    ;;
  *)
    echo "usage: $0 run | test [--sanitize]" >&2
    exit 2
    ;;
esac
