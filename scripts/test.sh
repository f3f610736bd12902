#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the normal build, the
# same under AddressSanitizer + UndefinedBehaviorSanitizer, a Qt-free build of
# the core and the command-line tool, and a short fuzzing smoke run.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
# The compiler cache serves a checkout in any folder (CI clones afresh elsewhere).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
jobs=$(nproc)

echo "== Build and test (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALIVUE_BUILD_TESTS=ON \
      -DCALIVUE_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Qt-free core build (build-core/)"
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCALIVUE_WITH_QT=OFF \
      -DCALIVUE_BUILD_TESTS=ON >/dev/null
cmake --build build-core -j "$jobs"
ctest --test-dir build-core --output-on-failure -j "$jobs"

echo "== Sanitizer build and test (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCALIVUE_SANITIZE=ON \
      -DCALIVUE_BUILD_TESTS=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== Fuzzing smoke run"
bash fuzz/smoke.sh "${CALIVUE_FUZZ_SECONDS:-15}"

echo "All tests passed."
