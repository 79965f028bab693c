#!/usr/bin/env bash
# Installs what is missing, builds vornSDK and runs the main program (sparkbench).
# Without a display it runs headless for a few seconds and prints its report and the
# path of a screenshot of its last frame.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
exec tools/run-main.sh "$@"
