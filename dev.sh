#!/usr/bin/env bash
# Velmora's one entry point for people and CI.
#   ./dev.sh run    install what is missing, build, start Velmora
#   ./dev.sh test   install what is missing, build three times (plain, with
#                   address + undefined sanitizers, and without the GUI) and
#                   run the whole suite in each; with clang installed, run
#                   each fuzzer for 30 s too
#   ./dev.sh build  install what is missing and build, nothing else
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  build-essential cmake pkg-config zlib1g-dev ccache clang-format
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev libgl-dev
  libespeak-ng-dev espeak-ng-data libxcb1-dev
  fonts-liberation fonts-dejavu-core
  dict-freedict-eng-hin wordnet-base
  xvfb xauth x11-utils imagemagick xdotool python3-xlib dbus
  pulseaudio pulseaudio-utils python3-pyatspi dbus-x11 at-spi2-core
  desktop-file-utils appstream groff-base lintian dpkg-dev python3
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs() { nproc 2>/dev/null || echo 2; }

# ccache, when present, lets a second build folder or a fresh clone reuse what
# an earlier build compiled: paths are made relative to the checkout.
build() { # build <dir> [cmake options...]
  local dir=$1; shift
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$(jobs)"
}

run_tests() { # run_tests <dir>
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(jobs)"
}

# The GUI-off build must not reach the windowing toolkit: no Qt Gui, Widgets,
# Svg or Multimedia in any compile or link line.
check_core_only() { # check_core_only <dir>
  local found
  found=$(grep -lE 'Qt6?(Gui|Widgets|Svg|Multimedia)' "$1/compile_commands.json" \
            $(find "$1" -name link.txt) 2>/dev/null || true)
  if [ -n "$found" ]; then
    echo "The GUI-off build uses the windowing toolkit in: $found" >&2
    return 1
  fi
  echo "GUI-off build: no Qt Gui, Widgets, Svg or Multimedia in any compile or link line"
}

# Each libFuzzer harness for a short while from its committed corpus (new
# inputs go to a scratch folder, so the corpus only grows by hand).
fuzz_smoke() { # fuzz_smoke <seconds>
  if ! command -v clang++ >/dev/null; then
    echo "clang++ is not installed: the fuzzers are not run"
    return 0
  fi
  local dir=build-fuzz
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELMORA_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build "$dir" -j "$(jobs)" --target fuzz_dictionary fuzz_settings fuzz_character
  local name scratch
  for name in dictionary settings character; do
    scratch=$(mktemp -d)
    local extra=()
    [ "$name" = character ] && extra=(-dict=fuzz/character.dict)
    echo "fuzz_$name: $1 s"
    local status=0
    ASAN_OPTIONS=detect_leaks=1 \
      LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$dir/fuzz/fuzz_$name" -max_total_time="$1" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$dir/fuzz/" -print_final_stats=1 "${extra[@]}" \
      "$scratch" "fuzz/corpus/$name" >"$dir/fuzz/fuzz_$name.log" 2>&1 || status=$?
    rm -rf "$scratch"
    grep -E '^(stat::number_of_executed_units|SUMMARY)' "$dir/fuzz/fuzz_$name.log" || true
    if [ "$status" -ne 0 ]; then
      tail -n 40 "$dir/fuzz/fuzz_$name.log"
      echo "fuzz_$name failed: the input is in $dir/fuzz/"
      return 1
    fi
  done
}

case "${1:-}" in
  build)
    install_missing
    build build
    ;;
  run)
    install_missing
    build build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset)."
      echo "Start Velmora from a desktop session, or inside a virtual screen:"
      echo "  xvfb-run -s '-screen 0 1024x768x24' build/bin/velmora"
      exit 1
    fi
    exec build/bin/velmora
    ;;
  test)
    install_missing
    build build -DVELMORA_WERROR=ON
    run_tests build
    build build-core -DVELMORA_WERROR=ON -DVELMORA_GUI=OFF
    check_core_only build-core
    run_tests build-core
    build build-asan -DVELMORA_WERROR=ON -DVELMORA_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 \
      LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0" \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      run_tests build-asan
    fuzz_smoke 30
    ;;
  *)
    sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
