#!/usr/bin/env bash
# Installs what is missing, builds the game and runs every test: once in the
# release build and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# Nothing here has a sound card or, in CI, a display: tests choose OpenAL
# Soft's output and start their own X server themselves.
unset DISPLAY

cmake --preset release >/dev/null
cmake --build --preset release
ctest --preset release

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
# The sanitize preset checks for leaks too, with full stack traces so that
# the suppressions can name the system libraries that keep memory until exit.
# Those traces make every allocation slow, far too slow for Mesa's software
# OpenGL and for the real executable in real time, so the tests that draw or
# start the game run in a second pass, still under both sanitizers, with the
# leak check off (what leaks there is Mesa's and SDL's).
ctest --preset sanitize
ctest --preset sanitize-drawing

# Each loader's fuzz target for a short while: the files they start from and
# the faults ever found already ran above, this looks a little further.
bash scripts/fuzz.sh 20

# A match steps to the same bits in every build: the clang build plays the
# kept replays to the checksums that the GCC builds above reproduced too.
build-fuzz/fuzz/replaycheck/korv_replay_check tests/data/replays/*.korvreplay
