#!/usr/bin/env bash
# Builds the loaders' libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn for the given number of
# seconds (60 by default). Each target starts from the regression files in
# tests/data/fuzz/TARGET and the game's own generated assets of its kind
# (when a release build has made them), and keeps what it learns in
# build-fuzz/corpus/TARGET for the next run. A crash, leak, hang or broken
# invariant is written to build-fuzz/findings/TARGET; copy it into
# tests/data/fuzz/TARGET, where the ordinary test run replays it, and fix it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

declare -A ASSETS=(
  [picture]="build/game/Images"
  [xmesh]="build/game/Meshes"
  [sound]="build/game/Sounds"
)

failed=()
for program in build-fuzz/fuzz/korv_fuzz_*; do
  [ -x "$program" ] && [ -f "$program" ] || continue
  target=${program##*/korv_fuzz_}
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  seeds=(tests/data/fuzz/"$target")
  assets=${ASSETS[$target]:-}
  [ -n "$assets" ] && [ -d "$assets" ] && seeds+=("$assets")
  log=build-fuzz/$target.log
  echo "fuzzing $target for ${seconds} s" >&2
  # The loaders' own messages (one line per refused sound file, say) would
  # drown the report: the target's standard error is closed, the
  # sanitizers' reports still come through.
  if "$program" -max_total_time="$seconds" -max_len=16384 -timeout=60 -close_fd_mask=2 \
      -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 >&2 || true
  else
    tail -40 "$log" >&2
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (see build-fuzz/findings)" >&2
  exit 1
fi
