#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it. Without a
# desktop session it runs under a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tesmora
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop session: Tesmora is running on a virtual X display that nobody can see; press Ctrl+C to end it." >&2
  exec xvfb-run -a build/shell/tesmora
fi
exec build/shell/tesmora
