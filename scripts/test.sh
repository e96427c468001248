#!/usr/bin/env bash
# Builds everything and runs the whole test suite (ctest), printing its summary.
#   JOBS  parallel build and test jobs (default: the number of processors)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VORINDA_BUILD:-$root/build}"
jobs="${JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs"
cd "$build"
ctest -j"$jobs" --output-on-failure
