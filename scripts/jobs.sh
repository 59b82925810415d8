# shellcheck shell=bash
# Sourced by the scripts that build or run tests side by side: sets `jobs` to
# the number of parallel jobs. CMAKE_BUILD_PARALLEL_LEVEL, when set, names it
# (fewer on a small or shared machine), and the script says so; else one job
# per processor.
if [ -n "${CMAKE_BUILD_PARALLEL_LEVEL:-}" ]; then
  if ! [[ $CMAKE_BUILD_PARALLEL_LEVEL =~ ^[1-9][0-9]*$ ]]; then
    echo "$(basename "$0"): CMAKE_BUILD_PARALLEL_LEVEL must be a number of jobs, 1 or more, not '$CMAKE_BUILD_PARALLEL_LEVEL'" >&2
    exit 2
  fi
  jobs=$CMAKE_BUILD_PARALLEL_LEVEL
  echo "$(basename "$0"): $jobs parallel jobs, as CMAKE_BUILD_PARALLEL_LEVEL asks"
else
  jobs=$(nproc)
fi
