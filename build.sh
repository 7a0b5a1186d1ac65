#!/usr/bin/env bash
# Lumetra's two commands:
#   ./build.sh run [IMAGE]   install what is missing, build, start Lumetra (optionally with IMAGE open)
#   ./build.sh test          the same set-up, then every test, then again under ASan/UBSan,
#                            then each fuzz target briefly
#   ./build.sh fuzz [SECONDS] build the readers' fuzz targets (clang, libFuzzer) and run each
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-declarative-dev qt6-datavisualization-dev qt6-translations-l10n
  libxlsxwriter-dev libv4l-dev nlohmann-json3-dev libdeflate-dev fonts-noto-cjk fonts-dejavu-core
  xvfb xauth libgl1-mesa-dri libglx-mesa0 imagemagick poppler-utils python3-openpyxl python3-numpy
  qt6-image-formats-plugins qt6-charts-dev qt6-svg-dev
  libopencv-core-dev libopencv-imgproc-dev
  pybind11-dev python3-dev python3-pytest python3-matplotlib python3-pil
  zlib1g-dev clang-14 libfuzzer-14-dev
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

# Without XDG_RUNTIME_DIR: /tmp/runtime-<uid> when it is our own private directory, else a new one.
runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    local dir="/tmp/runtime-$(id -u)"
    mkdir -m 0700 "$dir" 2>/dev/null || true
    if [ -L "$dir" ] || [ ! -d "$dir" ] || [ "$(stat -c %u:%a "$dir")" != "$(id -u):700" ]; then
      dir=$(mktemp -d "/tmp/runtime-$(id -u).XXXXXX")
    fi
    export XDG_RUNTIME_DIR="$dir"
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

# The readers' fuzz targets (fuzz/): built apart with clang, libFuzzer, ASan and UBSan.
FUZZ_TARGETS=(png netpbm framefile caustic_csv settings)

build_fuzz() {
  CXX=clang++-14 cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build-fuzz -j "$JOBS"
}

# run_fuzz SECONDS: each target in turn for SECONDS on a working copy of its seed corpus
# (fuzz/corpus/<target>, which holds every earlier finding too). A crash, a sanitizer report, a
# leak or a run over 10 s fails; the input is left in build-fuzz/findings/.
run_fuzz() {
  local seconds=$1 t log
  mkdir -p build-fuzz/findings
  for t in "${FUZZ_TARGETS[@]}"; do
    mkdir -p "build-fuzz/corpus/$t"
    log="build-fuzz/fuzz_$t.log"
    if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "./build-fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$t-" "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
      tail -n 60 "$log" >&2
      say "fuzz_$t failed; the input is in build-fuzz/findings/ (log: $log)"
      exit 1
    fi
    say "fuzz_$t: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in ${seconds} s, no finding"
  done
}

cmd_fuzz() {
  ensure_packages
  build_fuzz
  run_fuzz "${1:-60}"
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
  say "== The readers' fuzz targets, 20 s each =="
  build_fuzz
  run_fuzz 20
  say "All tests passed."
}

case "${1:-}" in
  run) shift; cmd_run "$@" ;;
  test) shift; cmd_test "$@" ;;
  fuzz) shift; cmd_fuzz "$@" ;;
  *)
    say "usage: ./build.sh run [IMAGE]   build and start Lumetra (optionally opening IMAGE)"
    say "       ./build.sh test          build and run every test (also under ASan/UBSan, and the fuzz targets)"
    say "       ./build.sh fuzz [SECONDS] build the readers' fuzz targets and run each SECONDS (default 60)"
    exit 2
    ;;
esac
