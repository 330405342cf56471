#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from its run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
# Only the game and its pictures, models, sounds and music: the tests and
# benchmarks wait for the first test run.
cmake --build --preset release --target korvandeltix korv_assets
cd build/game
exec ./korvandeltix
