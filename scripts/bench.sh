#!/usr/bin/env bash
# Builds the release build and measures the real game, five runs on a private
# Xvfb: start-up times, CPU use in the main menu and in a match, the resident
# set in the main menu and heap allocations per frame, each as min / median /
# max beside its goal. The figures mean most on an idle machine, so the load
# is printed with them.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release --target korv_game_bench korvandeltix korv_assets >/dev/null

echo "load: $(uptime | sed 's/.*load average/load average/')"
unset DISPLAY
build/bench/korv_game_bench "$@"
echo "load: $(uptime | sed 's/.*load average/load average/')"
