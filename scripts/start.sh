#!/usr/bin/env bash
# Installs what is missing for building and running, builds the program alone (build/app, no tests)
# and starts Kestrune. Without a display it runs the window on a virtual X display, saves a
# screenshot of it and prints the picture's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build run
scripts/build.sh app
app="$PWD/build/app/src/app/kestrune"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$app"
fi
shot="$PWD/build/app/kestrune-screenshot.png"
echo "No display found: starting Kestrune on a virtual X display (xvfb-run)."
xvfb-run -a -s "-screen 0 1280x1024x24" env KESTRUNE_SCREENSHOT="$shot" "$app"
echo "Screenshot of the running main window: $shot"
