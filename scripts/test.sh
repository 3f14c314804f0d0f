#!/usr/bin/env bash
# Builds and runs the whole test suite: a Release pass in build/, then the same
# tests with the address and undefined-behaviour sanitizers in build-asan/.
#
#   scripts/test.sh                  both passes
#   scripts/test.sh --release        the Release pass only
#   scripts/test.sh --sanitize       the sanitizer pass only
set -euo pipefail
cd "$(dirname "$0")/.."

release=true
sanitize=true
case "${1:-}" in
  "") ;;
  --release) sanitize=false ;;
  --sanitize) release=false ;;
  *) echo "usage: $0 [--release | --sanitize]" >&2; exit 2 ;;
esac

run_pass() {
  local build_dir=$1
  shift
  echo "== $build_dir"
  cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
  cmake --build "$build_dir"
  ctest --test-dir "$build_dir" --output-on-failure -j8
}

if $release; then
  run_pass build -DCMAKE_BUILD_TYPE=Release
fi
if $sanitize; then
  # Debug information makes sanitizer reports point at source lines.
  UBSAN_OPTIONS=print_stacktrace=1 \
    run_pass build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIK_SANITIZE=ON -DMORVIK_BUILD_BENCH=OFF
fi
