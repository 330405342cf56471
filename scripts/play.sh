#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
cd build/game
exec ./korvandeltix
