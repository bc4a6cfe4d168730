#!/usr/bin/env bash
# Sets up, builds and starts the desktop calculator. The settings file lives
# in the program folder, here the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/quillet "$@"
