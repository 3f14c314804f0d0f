#!/usr/bin/env bash
# Checks the code's format, then builds and runs the whole test suite: a Release pass in build/, the same
# tests with the address and undefined-behaviour sanitizers in build-asan/, the
# threaded tests with the thread sanitizer in build-tsan/, and the fuzz targets
# (built with clang) for a bounded time each in build-fuzz/.
#
#   scripts/test.sh                  every pass
#   scripts/test.sh --format         the format check only (scripts/check-format.sh --fix mends it)
#   scripts/test.sh --release        the Release pass only
#   scripts/test.sh --sanitize       the address and undefined-behaviour pass only
#   scripts/test.sh --threads        the thread-sanitizer pass only
#   scripts/test.sh --fuzz           the fuzzing pass only
set -euo pipefail
cd "$(dirname "$0")/.."

passes=(format release sanitize threads fuzz)
case "${1:-}" in
  "") ;;
  --format | --release | --sanitize | --threads | --fuzz) passes=("${1#--}") ;;
  *) echo "usage: $0 [--format | --release | --sanitize | --threads | --fuzz]" >&2; exit 2 ;;
esac

# run_pass BUILD_DIR "TARGET..." CMAKE_ARGS...
run_pass() {
  local build_dir=$1 targets
  read -ra targets <<<"$2"
  shift 2
  echo "== $build_dir"
  cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
  cmake --build "$build_dir" --target "${targets[@]}"
  ctest --test-dir "$build_dir" --output-on-failure -j8
}

for pass in "${passes[@]}"; do
  case $pass in
    format)
      echo "== format"
      scripts/check-format.sh ;;
    release)
      run_pass build all -DCMAKE_BUILD_TYPE=Release ;;
    sanitize)
      # Debug information makes sanitizer reports point at source lines.
      UBSAN_OPTIONS=print_stacktrace=1 \
        run_pass build-asan all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_SANITIZE=ON -DMORVIK_BUILD_BENCH=OFF ;;
    threads)
      TSAN_OPTIONS=halt_on_error=1 \
        run_pass build-tsan "thread_tests editor_thread_tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_THREAD_SANITIZE=ON \
        -DMORVIK_BUILD_BENCH=OFF ;;
    fuzz)
      run_pass build-fuzz fuzzers -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DMORVIK_FUZZ=ON -DMORVIK_BUILD_BENCH=OFF ;;
  esac
done
