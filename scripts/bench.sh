#!/usr/bin/env bash
# Builds the benchmarks (with the plotting libraries they compare with), runs
# them all and prints one table: what was measured, its time, what it is
# compared with, that time and the ratio of the two.
#   scripts/bench.sh               everything (about 5 minutes)
#   BENCH_BUILD_DIR=dir            build folder (default build-bench)
#   BENCH_ROUNDS=n                 turns of the alternating drawing runs (25)
# Not part of the test run. Times are medians or means of repeated runs;
# drawing times are the drawing thread's CPU time, the others wall time.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BENCH_BUILD_DIR:-build-bench}
rounds=${BENCH_ROUNDS:-25}

bash scripts/install-deps.sh bench
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF \
    -DORVANE_BENCH_PEERS=ON >/dev/null
fi
cmake --build "$build_dir" -j"${JOBS:-2}" --target orvane_bench_graph orvane_bench_study \
  orvane_bench_comm orvane_bench_acquisition orvane_bench_startup

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

table=$(mktemp)
trap 'rm -f "$table"' EXIT
export ORVANE_BENCH_TABLE=$table
b="$build_dir/bench"
run() {
  echo "bench: $*" >&2
  "$@" >/dev/null
}
run "$b/orvane_bench_graph" --table "$rounds"
run "$b/orvane_bench_study"
run "$b/orvane_bench_comm"
run "$b/orvane_bench_acquisition"
run "$b/orvane_bench_startup"

echo
awk -F'\t' '
  { n[NR] = $1; t[NR] = $2; r[NR] = $3; rt[NR] = $4
    if (length($1) > w1) w1 = length($1); if (length($3) > w3) w3 = length($3) }
  END {
    fmt = "%-" w1 "s  %10s  %-" w3 "s  %10s  %7s\n"
    printf fmt, "measured", "time (ms)", "reference", "ref (ms)", "ratio"
    for (i = 1; i <= NR; ++i) {
      ratio = rt[i] > 0 ? sprintf("%.2f", t[i] / rt[i]) : "-"
      ref = rt[i] > 0 ? sprintf("%.3f", rt[i]) : "-"
      printf fmt, n[i], sprintf("%.3f", t[i]), r[i], ref, ratio
    }
  }' "$table"
