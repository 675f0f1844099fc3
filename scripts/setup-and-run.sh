#!/usr/bin/env bash
# Fresh machine to running program: installs the packages, builds, and runs the main job.
# The main job: qrnsolvo-cli designs the demo office
# building (design, project file and check report in build/demo/office) and prints its check,
# lists the models of the embedded catalogue, evaluates an outdoor model at design conditions with
# its piping correction, opens and re-saves a project through the program's factory, and
# compresses and expands a sample object-store file; then the desktop program starts with the
# demo office open (where there is a display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$(nproc)" --target qrnsolvo-cli qrnsolvo
cli=build/release/src/cli/qrnsolvo-cli
"$cli" demo --out build/demo/office
echo
cat build/demo/office/check.txt
echo
"$cli" catalogue
echo
echo "QOH-16 at 26 °C / 50 % indoor, 35 °C outdoor, 110 % connected, 80 m equivalent, 15 m above:"
"$cli" capacity --model QOH-16 --mode cool --indoor-db 26 --indoor-rh 50 --outdoor 35 \
  --index 440 --length 80 --height 15
echo
echo "the same in heating at 20 °C indoor, -7 °C outdoor:"
"$cli" capacity --model QOH-16 --mode heat --indoor-db 20 --outdoor -7 --index 440 --length 80 \
  --height 15
echo
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
echo
# The desktop program with the demo office open, where there is a display to show it on.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "starting the desktop program with build/demo/office/project.qrn"
  build/release/src/ui/qrnsolvo build/demo/office/project.qrn
else
  echo "no display here: the desktop program was built but not started. On a desktop, run"
  echo "  build/release/src/ui/qrnsolvo build/demo/office/project.qrn"
fi
