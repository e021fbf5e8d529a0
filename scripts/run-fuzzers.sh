#!/usr/bin/env bash
# Runs each libFuzzer target for a bounded time from its seed corpus.
#   scripts/run-fuzzers.sh BUILD_DIR [SECONDS_EACH]
set -euo pipefail
build_dir=${1:?usage: run-fuzzers.sh BUILD_DIR [SECONDS_EACH]}
seconds=${2:-30}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

for target in parse_fuzzer statpoint_fuzzer command_fuzzer; do
  corpus=$(mktemp -d)
  cp "$source_dir/fuzz/corpus/$target"/* "$corpus"/ 2>/dev/null || true
  echo "== $target, ${seconds}s"
  "$build_dir/fuzz/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    "$corpus" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)|ERROR|SUMMARY|==[0-9]+==' || true
  # grep hides the noise; the fuzzer's own status decides.
  status=${PIPESTATUS[0]}
  rm -rf "$corpus"
  if [[ $status -ne 0 ]]; then
    echo "$target failed (exit $status)" >&2
    exit 1
  fi
done
