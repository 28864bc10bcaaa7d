#!/usr/bin/env bash
# Builds moji-outline and starts it. Without a display it starts the same window offscreen
# and writes a picture of it to build/release/moji-outline-screenshot.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target moji-outline

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/src/moji-outline "$@"
fi
shot="$PWD/build/release/moji-outline-screenshot.png"
QT_QPA_PLATFORM=offscreen build/release/src/moji-outline --screenshot "$shot"
echo "No display: the window was started offscreen; its picture is $shot"
