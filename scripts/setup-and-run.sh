#!/usr/bin/env bash
# Fresh machine to running program: installs the packages, builds, and runs the main job.
# The main job for now (the desktop program comes later): qrnsolvo-cli shows the embedded
# catalogue, opens and re-saves a project through the program's factory, and compresses and
# expands a sample object-store file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target qrnsolvo-cli
cli=build/release/src/cli/qrnsolvo-cli
echo "embedded catalogue tables:"
"$cli" dump --catalogue | grep -a -E '^5 [0-9]+ T(BL|bl)_' | sed 's/^5 [0-9]* /  /'
mkdir -p build/demo
"$cli" resave tests/data/cli/demo-project.txt build/demo/demo.qrn
echo "re-saved the demo project as build/demo/demo.qrn ($(stat -c %s build/demo/demo.qrn) bytes)"
sample=tests/data/objectstore/sample-store.txt
out=build/demo
mkdir -p "$out"
"$cli" compress "$sample" "$out/sample.qrn"
"$cli" expand "$out/sample.qrn" "$out/sample-expanded.txt"
cmp "$sample" "$out/sample-expanded.txt"
echo "compressed $(stat -c %s "$sample") bytes to $(stat -c %s "$out/sample.qrn") bytes ($out/sample.qrn)"
echo "expanded back to $out/sample-expanded.txt: identical"
