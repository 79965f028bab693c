#!/usr/bin/env bash
# Runs the main program (sparkbench; VORN_MAIN=aimshot or hello picks another) from its
# data folder. Without a display it runs headless for a few seconds, then prints its
# report and where the screenshot of its last frame went.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${VORN_MAIN:-sparkbench}
dir=build/samples/$program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot=$PWD/build/$program.png
  (cd "$dir" && ./"$program" --headless --seconds 5 --report --screenshot "$shot" "$@")
  echo "screenshot: $shot"
else
  (cd "$dir" && exec ./"$program" "$@")
fi
