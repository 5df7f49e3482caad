#!/usr/bin/env bash
# Times vsl-report over a batch of 100 large late-game saves: its wall clock and peak memory (GNU
# time), against inflating the same batch's bodies one after the other on one core (vsl-bench).
#
#   bench/batch.sh [BUILD_DIR]     (default build-bench; `make bench` builds it)
#
# The saves are written once to $VSL_BENCH_SAVES (default: a folder in the temp dir) and reused.
set -euo pipefail

bin="${1:-build-bench}/bin"
dir="${VSL_BENCH_SAVES:-${TMPDIR:-/tmp}/vsl-bench-large-saves}"
for tool in vsl-report vsl-bench vsl-large-saves; do
  [ -x "$bin/$tool" ] || { echo "batch.sh: $bin/$tool not built (make bench)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "batch.sh: needs /usr/bin/time (Debian package time)" >&2; exit 2; }

mapfile -t saves < <("$bin/vsl-large-saves" "$dir" 100)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One run to warm the page cache, then three timed ones; the best wall clock counts.
"$bin/vsl-report" --output "$work/res.txt" "${saves[@]}"
best=""
peak=0
for run in 1 2 3; do
  /usr/bin/time -f "%e %M" -o "$work/time.txt" "$bin/vsl-report" --output "$work/res.txt" "${saves[@]}"
  read -r wall kib < "$work/time.txt"
  if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then best="$wall"; fi
  [ "$kib" -gt "$peak" ] && peak="$kib"
done

# The serial inflate of the same files, in milliseconds.
inflate_ms="$("$bin/vsl-bench" --benchmark_filter='BM_BatchInflateSerial' --benchmark_format=csv 2>/dev/null |
  awk -F, '/BM_BatchInflateSerial/ { print $3 }')"

awk -v wall="$best" -v inflate="$inflate_ms" -v kib="$peak" -v cores="$(nproc)" 'BEGIN {
  printf "Batch of 100 large saves through vsl-report, %d cores\n", cores
  printf "  vsl-report wall clock (best of 3)  %8.1f ms\n", wall * 1000
  printf "  inflate only, one core             %8.1f ms\n", inflate
  printf "  ratio                              %8.3f   (goal <= 0.65)\n", wall * 1000 / inflate
  printf "  peak memory                        %8.1f MiB (goal < 256 MiB)\n", kib / 1024
}'
