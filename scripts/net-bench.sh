#!/usr/bin/env bash
# Builds the release build and plays online on this machine only: two
# headless sessions through a relay on 127.0.0.1 that delays, jitters,
# loses, doubles and reorders from a fixed seed, on a virtual clock. Prints
# for each condition whether the matches stayed the same, the rollbacks and
# the share of frames that waited; how long a killed side takes to be
# noticed; and the real time of a rollback of eight steps.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/benchmark.sh
run_benchmark korv_net_bench -- "$@"
