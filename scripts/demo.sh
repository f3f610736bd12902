#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo: a generated snapshot is
# described, rendered at interpolation 2 and exported as CSV.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The same configuration as the test script, so the two never rebuild each other's work.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCALIVUE_BUILD_TESTS=ON \
      -DCALIVUE_BUILD_BENCH=ON >/dev/null
cmake --build build --target calivue-gen calivue-cli

out="$(pwd)/out/demo"
mkdir -p "$out"
build/bin/calivue-gen "$out" --preset demo --wav
snapshot="$out/DEMO.BMP"

echo
echo "== calivue-cli info $snapshot"
build/bin/calivue-cli info "$snapshot"
build/bin/calivue-cli render "$snapshot" "$out/DEMO_x2.bmp" --interp 2
build/bin/calivue-cli csv "$snapshot" "$out/DEMO.csv"

echo
echo "Snapshot:        $snapshot (+ DEMO.QVX, DEMO.WAV)"
echo "Render (x2):     $out/DEMO_x2.bmp"
echo "Temperature CSV: $out/DEMO.csv"
