#!/usr/bin/env bash
# Lumetra's two commands:
#   ./build.sh run [IMAGE]   install what is missing, build, start Lumetra (optionally with IMAGE open)
#   ./build.sh test          the same set-up, then every test, then again under ASan/UBSan,
#                            then each fuzz target briefly
#   ./build.sh fuzz [SECONDS] build the readers' fuzz targets (clang, libFuzzer) and run each
#   ./build.sh package       build the Debian package build/lumetra_VERSION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-declarative-dev qt6-datavisualization-dev qt6-translations-l10n
  libxlsxwriter-dev libv4l-dev nlohmann-json3-dev libdeflate-dev fonts-noto-cjk fonts-dejavu-core
  xvfb xauth libgl1-mesa-dri libglx-mesa0 imagemagick poppler-utils python3-openpyxl python3-numpy
  qt6-image-formats-plugins qt6-charts-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  libopencv-core-dev libopencv-imgproc-dev
  pybind11-dev python3-dev python3-pytest python3-matplotlib python3-pil
  zlib1g-dev clang-14 libfuzzer-14-dev
  libaravis-dev aravis-tools libusb-1.0-0-dev iproute2
  help2man dpkg-dev file fakeroot lintian)

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

# The Debian package from the normal build in build/: the programs, the Python module and the
# manual pages are built, then CPack packs what `cmake --install` installs. Prints the .deb's path.
build_package() {
  # An empty LUMETRA_PYTHON_INSTALL_DIR puts the module where Debian's interpreter looks.
  configure build -DLUMETRA_PYTHON_INSTALL_DIR=
  cmake --build build -j "$JOBS" --target lumetra lumetra-cli lumetra-caustic-plot lumetra_python lumetra_man \
    lumetra_changelog >&2
  rm -f build/lumetra_*.deb
  (cd build && cpack -G DEB >/dev/null)
  local debs=(build/lumetra_*.deb)
  [ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { say "cpack made no single .deb"; exit 1; }
  printf '%s\n' "${debs[0]}"
}

# check_installed_tree USR SCRATCH WHAT: the programs and the module of an installed tree (USR is
# its usr/ folder) run from there, with no settings of the user's, and answer as the build tree
# does: the version, a profile with the shipped integration width, the module's import.
check_installed_tree() {
  local usr=$1 scratch=$2 what=$3 version
  version=$(sed -n 's/^project(Lumetra VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  local env=(env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
    QT_QPA_PLATFORM=offscreen PYTHONDONTWRITEBYTECODE=1)
  "${env[@]}" "$usr/bin/lumetra-cli" --version | grep -q "^lumetra-cli $version" ||
    { say "$what: lumetra-cli --version is not $version"; exit 1; }
  "${env[@]}" "$usr/bin/lumetra" --version | grep -q "^lumetra $version" ||
    { say "$what: lumetra --version is not $version"; exit 1; }
  local picture=assets/guanggao.bmp
  "${env[@]}" "$usr/bin/lumetra-cli" profile "$picture" --row 100 >"$scratch/profile.json"
  "${env[@]}" ./build/bin/lumetra-cli profile "$picture" --row 100 --width 5 >"$scratch/profile-build.json"
  python3 -c 'import json, sys; w = json.load(open(sys.argv[1]))["integration_width"]; sys.exit(w != 5)' \
    "$scratch/profile.json" || { say "$what: profile does not use the shipped integration width 5"; exit 1; }
  cmp -s "$scratch/profile.json" "$scratch/profile-build.json" ||
    { say "$what: profile differs from the build tree's"; exit 1; }
  local module
  module=$("${env[@]}" PYTHONPATH="$usr/lib/python3/dist-packages" python3 -c \
    'import lumetra; print(lumetra.__version__, lumetra.__file__)')
  [[ $module == "$version $usr/lib/python3/dist-packages/"* ]] ||
    { say "$what: import lumetra gave '$module'"; exit 1; }
}

# The package and a staged install, each unpacked or installed into a scratch folder and run
# from there; lintian's errors fail.
check_package() {
  local deb scratch
  deb=$(build_package)
  # A global name: the EXIT trap runs after this function's locals are gone.
  PACKAGE_SCRATCH=$(mktemp -d)
  trap 'rm -rf "$PACKAGE_SCRATCH"' EXIT
  scratch=$PACKAGE_SCRATCH
  dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/files"
  local f
  for f in /usr/bin/lumetra /usr/bin/lumetra-cli /usr/bin/lumetra-caustic-plot /usr/share/lumetra/guanggao.bmp \
    /usr/share/applications/lumetra.desktop /usr/share/icons/hicolor/128x128/apps/lumetra.png \
    /usr/share/metainfo/lumetra.metainfo.xml /usr/share/lumetra/configtext.txt \
    /usr/share/man/man1/lumetra.1.gz /usr/share/man/man1/lumetra-cli.1.gz /usr/share/man/man1/lumetra-caustic-plot.1.gz \
    /usr/lib/python3/dist-packages/lumetra.pyi \
    /usr/share/doc/lumetra/copyright /usr/share/doc/lumetra/changelog.gz /usr/share/doc/lumetra/README.md; do
    grep -qx "$f" "$scratch/files" || { say "package: $f is missing"; exit 1; }
  done
  grep -q '^/usr/lib/python3/dist-packages/lumetra\..*\.so$' "$scratch/files" ||
    { say "package: the Python module is missing"; exit 1; }
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  for f in libqt6widgets6 libaravis-0.8-0 python3-numpy fonts-noto-cjk qt6-image-formats-plugins; do
    [[ $depends == *"$f"* ]] || { say "package: Depends lacks $f: $depends"; exit 1; }
  done
  [ "$(dpkg-deb -f "$deb" Section)" = science ] || { say "package: Section is not science"; exit 1; }
  dpkg -x "$deb" "$scratch/unpacked"
  zgrep -q -- '--corner-fraction' "$scratch/unpacked/usr/share/man/man1/lumetra-cli.1.gz" ||
    { say "package: lumetra-cli(1) lacks the commands' options"; exit 1; }
  check_installed_tree "$scratch/unpacked/usr" "$scratch" package

  DESTDIR="$scratch/stage" cmake --install build --prefix /usr >/dev/null
  if [ -n "$(find "$scratch/stage" -mindepth 1 -maxdepth 1 ! -name usr)" ]; then
    say "staged install: something landed outside DESTDIR/usr:"; find "$scratch/stage" -maxdepth 3 >&2; exit 1
  fi
  check_installed_tree "$scratch/stage/usr" "$scratch" "staged install"

  lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian" >&2; say "package: lintian found errors"; exit 1; }
  # Run as root, lintian says so on every run: that line is not a finding.
  say "package $deb ($(du -k "$deb" | cut -f1) kB): unpacked and staged trees run;" \
    "lintian: $(grep -c '^[EWIP]:' "$scratch/lintian" || true) findings"
}

cmd_package() {
  ensure_packages
  build_package >/dev/null
  say "Built $(ls build/lumetra_*.deb)"
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
  say "== The Debian package and a staged install =="
  check_package
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
  package) shift; cmd_package "$@" ;;
  *)
    say "usage: ./build.sh run [IMAGE]   build and start Lumetra (optionally opening IMAGE)"
    say "       ./build.sh test          build and run every test (also under ASan/UBSan, and the fuzz targets)"
    say "       ./build.sh fuzz [SECONDS] build the readers' fuzz targets and run each SECONDS (default 60)"
    say "       ./build.sh package       build the Debian package build/lumetra_VERSION_ARCH.deb"
    exit 2
    ;;
esac
