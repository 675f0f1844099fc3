#!/usr/bin/env bash
# ThreadSanitizer run of the store's concurrency tests: configures build/tsan with
# QRN_SANITIZE_THREAD, builds only the two test executables those tests live in, and runs the
# store-lock cases and the catalogue's reader/writer stress case, the latter with more rounds
# than the normal test run gives it. Any report of ThreadSanitizer fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}

# The build-time tools come from build/release when it is there (as after run-tests.sh).
tools=()
if [ -x build/release/tools/catalogue/qrn-catalogue ]; then tools=(-DQRN_TOOLS_FROM=build/release); fi
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DQRN_WERROR=ON -DQRN_SANITIZE_THREAD=ON \
  -DQRN_BUILD_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 "${tools[@]}"
cmake --build build/tsan -j "$jobs" --target objectstore_tests catalogue_tests

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
# ThreadSanitizer needs a fixed memory layout; some kernels randomise more than it accepts.
run=()
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then
  run=(setarch "$(uname -m)" -R)
fi
"${run[@]}" build/tsan/tests/objectstore/objectstore_tests --gtest_brief=1 \
  --gtest_filter='StoreLock.*'
QRN_STRESS_ROUNDS=${QRN_STRESS_ROUNDS:-8} QRN_STRESS_ITERATIONS=${QRN_STRESS_ITERATIONS:-150} \
  "${run[@]}" build/tsan/tests/catalogue/catalogue_tests --gtest_brief=1 \
  --gtest_filter='StoreStress.*:CatalogueViews.*'
