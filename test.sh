#!/usr/bin/env bash
# Installs what is missing, builds vornSDK and runs every test: once in an optimised
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer, and once under
# ThreadSanitizer (the window directory's listener and presentation's helper thread).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
jobs=$(nproc)
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_BENCH=OFF \
  -DVORN_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORN_BENCH=OFF \
  -DVORN_SANITIZE=thread >/dev/null
cmake --build build-tsan -j"$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j"$jobs" -LE e2e
