# Sourced by ./run and ./test: installs the Debian packages the project needs when any is
# missing, then configures and builds into build/ (incrementally). The checked build of
# ./test --sanitize and --fuzz goes into build-sanitize/.
PAX3D_PACKAGES="cmake ninja-build g++ ccache libgtest-dev libbenchmark-dev qt6-base-dev
  qt6-multimedia-dev libpng-dev libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core"
# The checked build: clang with its sanitizer runtimes and libFuzzer.
PAX3D_CHECK_PACKAGES="clang libclang-rt-14-dev"

# pax3d_install_missing [MORE PACKAGES...]
pax3d_install_missing() {
  local missing=()
  for p in $PAX3D_PACKAGES "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q >&2 &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >&2
}

pax3d_build() {
  local top="$1"
  if [ ! -f "$top/build/build.ninja" ]; then
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >&2 || return 1
  fi
  cmake --build "$top/build" >&2
}

# One clang build for both checks: everything instrumented with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, the engine also with the fuzzers' coverage, the
# tests and the fuzz targets linked from the same libraries. Assertions stay on.
pax3d_build_checked() {
  local top="$1"
  if [ ! -f "$top/build-sanitize/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_FLAGS_DEBUG= -DCMAKE_CXX_FLAGS_DEBUG= \
      -DPAX3D_SANITIZE=ON -DPAX3D_BUILD_FUZZ=ON -DPAX3D_BUILD_BENCH=OFF >&2 || return 1
  fi
  cmake --build "$top/build-sanitize" >&2
}

# What the sanitizers do on a fault: report with a stack and end the process with a failure.
# The build needs this too: it runs the test programs to list their cases.
pax3d_sanitizer_environment() {
  local top="$1"
  export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$top/tools/lsan_suppressions.txt:print_suppressions=0"
}

# pax3d_run_fuzzers TOP SECONDS: every fuzz target for SECONDS on its corpus (fuzz/corpus/<the
# target's first word>, when there is one) with a fixed seed. New inputs go into a scratch
# folder, never into the corpus; a fault's input is kept in build-sanitize/fuzz-artifacts/.
pax3d_run_fuzzers() {
  local top="$1" seconds="$2" passed=0 failed=0
  local out="$top/build-sanitize/fuzz-artifacts" scratch="$top/build-sanitize/fuzz-scratch"
  mkdir -p "$out"
  for target in "$top"/build-sanitize/fuzz/*_fuzz; do
    [ -x "$target" ] || continue
    local name corpus log
    name="$(basename "$target")"
    corpus="$top/fuzz/corpus/${name%%_*}"
    log="$out/$name.log"
    rm -rf "${scratch:?}/$name" && mkdir -p "$scratch/$name"
    local seeds=("$scratch/$name")
    [ -d "$corpus" ] && seeds+=("$corpus")
    if "$target" -max_total_time="$seconds" -seed=1 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$out/$name-" "${seeds[@]}" >"$log" 2>&1; then
      passed=$((passed + 1))
      echo "$name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs in $seconds s, no fault"
    else
      failed=$((failed + 1))
      echo "$name: FAULT (the whole output is in $log)"
      grep -E -A 30 'ERROR:|runtime error:|_fuzz: |deadly signal|timeout after' "$log" | head -60
    fi
  done
  echo "fuzz: $passed passed, $failed failed"
  [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
}
