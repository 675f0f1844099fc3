#!/usr/bin/env bash
# Builds the project twice and runs every test in both builds, then the concurrency tests under
# ThreadSanitizer (scripts/run-tsan.sh):
#   build/release  warnings as errors, optimised (-O2, no debug information), every source of the
#                  program compiled on its own; benchmarks built (not run); builds the build-time
#                  tools and generates the shipped data
#   build/asan     warnings as errors, AddressSanitizer + UndefinedBehaviorSanitizer, unoptimised
#                  with line tables; takes the build-time tools from build/release
# The test executables (in both) and the whole sanitizer build are unity builds, which parse each
# header once per batch of (up to 16) sources: that halves their build time.
# Set QRN_TIMING=1 to print how long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
start=$SECONDS
step() {
  if [ "${QRN_TIMING:-}" = 1 ]; then echo "== $1: $((SECONDS - start)) s"; fi
}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DQRN_WERROR=ON -DQRN_UNITY_TESTS=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16
cmake --build build/release -j "$jobs"
step "release build"
ctest --test-dir build/release --output-on-failure -j "$jobs"
step "release tests"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
  -DQRN_WERROR=ON -DQRN_SANITIZE=ON -DQRN_BUILD_BENCHMARKS=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 \
  -DQRN_TOOLS_FROM=build/release
cmake --build build/asan -j "$jobs"
step "sanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"
step "sanitizer tests"

# The concurrency tests under ThreadSanitizer (tools again from build/release).
bash scripts/run-tsan.sh
step "thread sanitizer"
