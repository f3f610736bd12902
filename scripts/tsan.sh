#!/usr/bin/env bash
# Builds the report tests under ThreadSanitizer in build-tsan/ (that target and what it
# needs, nothing else) and runs the tests of the threaded scan: the image selection page
# listing a folder and making thumbnails on its thread pool, cancel, a refresh while a
# scan runs, and a project load; then the report engines that work on threads of their own
# (the modern report's picture pool, the Word report's pages prepared ahead), the project
# window's load and save, and the re-inspection sheet's previous survey.
# Not part of the default test run (the build is heavy).
# Exits non-zero when the build fails or TSan reports a race (halt_on_error).
#
# Usage: scripts/tsan.sh [JOBS, default 1] [GTEST_FILTER]
# Qt itself is not instrumented; its own internal synchronisation is invisible to TSan, so
# a report whose every frame lies inside Qt is suppressed by scripts/tsan.supp, not fixed, and
# the scan marks its hand-overs through Qt's pool and event queue for TSan (thumbnailscan.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${1:-1}"
filter="${2:-ImageSelect*:*Thumbnail*:*Scan*:*ProjectLoad*:ImageSelectProject*:ModernReport.*:ModernPictures.*:DocxReport.*:ProjectFixture.*:ReinspectionSheet.*}"
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALIVUE_BUILD_TESTS=ON \
      -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=thread" \
      >/dev/null
cmake --build build-tsan -j "$jobs" --target report_tests

# A Word report test starts a reader program (a fork of the multi-threaded test); the child
# only runs that program, so the fork is allowed.
TSAN_OPTIONS="halt_on_error=1 die_after_fork=0 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp" \
  build-tsan/bin/report_tests --gtest_filter="$filter"
