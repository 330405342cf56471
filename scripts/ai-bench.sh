#!/usr/bin/env bash
# Builds the release build and plays the computer's levels against each
# other and against two simple players, headless, on the real match code and
# with fixed seeds: the win-rate matrix, the share of 500 throws caught, the
# reaction times and the thinking time per step. --quick plays fewer matches,
# neighbouring levels only, for a first look while tuning.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/benchmark.sh
run_benchmark korv_ai_bench -- "$@"
