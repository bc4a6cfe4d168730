#!/usr/bin/env bash
# Sets up, builds and starts the calculator. Until the desktop window lands
# this plays the example session through the headless driver.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
folder="${XDG_CONFIG_HOME:-$HOME/.config}/quillet"
mkdir -p "$folder"
exec build/quillet-script --folder "$folder" examples/session.script
