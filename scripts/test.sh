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
# The preset sets the sanitizers' options, with the leak suppressions for
# the system libraries that keep memory until exit.
# Software OpenGL drawing and the real executable in real time are too slow
# under the sanitizers for the time a test has; the release run above covers
# them, and the sanitizers cover all the rest.
ctest --preset sanitize -E 'GlDeviceTest|RallySceneTest|ModelScene|GameEndToEndTest|GameUnderX|WindowUnderX|KeyboardOnX'
