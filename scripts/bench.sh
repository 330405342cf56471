#!/usr/bin/env bash
# Builds the release build and measures the real game, five runs on a private
# Xvfb: start-up times, CPU use in the main menu and in a match, the resident
# set in the main menu and heap allocations per frame, each as min / median /
# max beside its goal. The figures mean most on an idle machine, so the load
# is printed with them.
set -euo pipefail
cd "$(dirname "$0")/.."

# The measured game starts its own X server.
unset DISPLAY
source scripts/benchmark.sh
run_benchmark korv_game_bench korvandeltix korv_assets -- "$@"
