#!/usr/bin/env bash
# Builds the program and the whole-run benchmark (release build with the
# benchmarks, in build-bench/) and runs it:
#   bench/run_office_bench.sh [scale] [rounds] [directory]
# scale 1 is the full office (about 0.6 GB old, 1.5 GB new: mind the disk);
# the office goes into a new directory inside the one given (default: the
# temporary directory), removed afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QZ_BENCH_BUILD:-$root/build-bench}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${QZ_BENCH_TYPE:-Release}" \
      -DQZ_BENCH=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target office_bench qz18-19
exec "$build/bench/office_bench" run "${1:-1}" "${2:-3}" ${3:+"$3"}
