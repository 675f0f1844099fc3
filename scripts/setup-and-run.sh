#!/usr/bin/env bash
# Fresh machine to running program: installs the packages, builds, and runs the main job.
# The main job for now: compress the sample object-store file into the program's compressed file
# form and expand it again with qrnsolvo-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target qrnsolvo-cli
cli=build/release/src/cli/qrnsolvo-cli
sample=tests/data/objectstore/sample-store.txt
out=build/demo
mkdir -p "$out"
"$cli" compress "$sample" "$out/sample.qrn"
"$cli" expand "$out/sample.qrn" "$out/sample-expanded.txt"
cmp "$sample" "$out/sample-expanded.txt"
echo "compressed $(stat -c %s "$sample") bytes to $(stat -c %s "$out/sample.qrn") bytes ($out/sample.qrn)"
echo "expanded back to $out/sample-expanded.txt: identical"
