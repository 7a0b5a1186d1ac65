#!/usr/bin/env bash
# Lumetra's two commands:
#   ./build.sh run [IMAGE]   install what is missing, build, start Lumetra (optionally with IMAGE open)
#   ./build.sh test          the same set-up, then every test, then again under ASan/UBSan
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-declarative-dev qt6-datavisualization-dev qt6-translations-l10n
  libxlsxwriter-dev libv4l-dev nlohmann-json3-dev libdeflate-dev fonts-noto-cjk fonts-dejavu-core
  xvfb xauth libgl1-mesa-dri libglx-mesa0 imagemagick poppler-utils python3-openpyxl python3-numpy
  qt6-image-formats-plugins qt6-charts-dev qt6-svg-dev
  libopencv-core-dev libopencv-imgproc-dev
  pybind11-dev python3-dev python3-pytest python3-matplotlib python3-pil
  libaravis-dev aravis-tools libusb-1.0-0-dev iproute2)

JOBS=$(nproc 2>/dev/null || echo 2)

say() { printf '%s\n' "$*" >&2; }

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$p"
  done
}

ensure_packages() {
  local missing
  missing=$(missing_packages | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  local apt=(apt-get -o DPkg::Lock::Timeout=300)
  local line="apt-get update && apt-get install -y --no-install-recommends ${missing}"
  if [ "$(id -u)" -eq 0 ]; then
    say "Installing: ${missing}"
    "${apt[@]}" update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends ${missing} >/dev/null
  elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    say "Installing (sudo): ${missing}"
    sudo "${apt[@]}" update -q >/dev/null
    sudo DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q --no-install-recommends ${missing} >/dev/null
  else
    say "Lumetra needs packages that are not installed. Run this as root, then try again:"
    say "  ${line}"
    exit 1
  fi
}

# configure DIR [cmake options...]
configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

# build DIR [cmake options...]: everything, tests and benchmarks included
build() {
  configure "$@"
  cmake --build "$1" -j "$JOBS"
}

runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"
  fi
}

# run_suite DIR: offscreen tests, then the OpenGL ones under one Xvfb.
run_suite() {
  local dir=$1
  runtime_dir
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" -LE opengl)
  if (cd "$dir" && ctest -N -L opengl | grep -q 'Total Tests: [1-9]'); then
    # Mesa's driver threads now and then crash LeakSanitizer's own tracer at exit (a fault of the
    # tool, reported as "LeakSanitizer has encountered a fatal error"): such a test gets two more runs.
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -L opengl --repeat until-pass:3)
  fi
}

cmd_run() {
  ensure_packages
  configure build
  cmake --build build -j "$JOBS" --target lumetra lumetra-cli
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    say "No display found (DISPLAY and WAYLAND_DISPLAY are unset); to run Lumetra without one: xvfb-run -a ./build.sh run $*"
    exit 1
  fi
  runtime_dir
  exec ./build/bin/lumetra "$@"
}

cmd_test() {
  ensure_packages
  build build
  run_suite build
  say "== The same suite under AddressSanitizer and UndefinedBehaviorSanitizer =="
  build build-asan -DLUMETRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  run_suite build-asan
  say "All tests passed."
}

case "${1:-}" in
  run) shift; cmd_run "$@" ;;
  test) shift; cmd_test "$@" ;;
  *)
    say "usage: ./build.sh run [IMAGE]   build and start Lumetra (optionally opening IMAGE)"
    say "       ./build.sh test          build and run every test (also under ASan/UBSan)"
    exit 2
    ;;
esac
