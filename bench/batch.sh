#!/usr/bin/env bash
# Times vsl-report over a batch of 100 large late-game saves against inflating the same batch's bodies
# one after the other on one core: rounds of the two in turn, medians over the rounds, and the peak
# memory of vsl-report (GNU time).
#
#   bench/batch.sh [BUILD_DIR]     (default build-bench; `make bench` builds it)
#
# The saves are written once to $VSL_BENCH_SAVES (default: a folder in the temp dir) and reused.
set -euo pipefail

bin="${1:-build-bench}/bin"
for tool in vsl-report vsl-bench; do
  [ -x "$bin/$tool" ] || { echo "batch.sh: $bin/$tool not built (make bench)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "batch.sh: needs /usr/bin/time (Debian package time)" >&2; exit 2; }

"$bin/vsl-bench" --benchmark_filter='^BM_Batch/'
