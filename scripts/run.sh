#!/usr/bin/env bash
# Installs what is missing, builds, and starts the full-screen saver on the
# current display. Move the mouse (or press Escape) to end it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/bin/Orvanth.scr ]; then
  exec build/bin/Orvanth.scr /s
fi
exec build/bin/Orvanth.data
