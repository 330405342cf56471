# Sourced by the benchmark scripts: builds the release build's targets and
# runs the first one's program from build/bench with the given arguments,
# with the load printed before and after, since the figures mean most on an
# idle machine.
run_benchmark() {
  local program=$1
  shift
  local targets=("$program")
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  cmake --preset release >/dev/null
  cmake --build --preset release --target "${targets[@]}" >/dev/null
  echo "load: $(uptime | sed 's/.*load average/load average/')"
  "build/bench/$program" "$@"
  echo "load: $(uptime | sed 's/.*load average/load average/')"
}
