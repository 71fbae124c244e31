#!/usr/bin/env bash
# Builds the tag record's fuzz target (clang, libFuzzer, ASan + UBSan) and runs it for SECONDS:
#   fuzz/run-fuzz.sh SECONDS
# Starting files: ones made by kestrune-fuzz-seeds, the regression files, and the real-world samples
# when present (copied, never stored in the repository). The growing corpus stays in the build tree,
# so later runs go on from it. A finding (crash-*, timeout-*, leak-*, oom-*) is written to the build
# tree and the script exits non-zero: put the file into tests/tag/regressions/ and fix the cause.
# Environment: KESTRUNE_FUZZ_BUILD (build folder, default build/fuzz), KESTRUNE_CORPUS_DIR (samples).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: fuzz/run-fuzz.sh SECONDS}"
scripts/install-deps.sh build fuzz
build="${KESTRUNE_FUZZ_BUILD:-$PWD/build/fuzz}"
samples="${KESTRUNE_CORPUS_DIR:-$PWD/../shared/corpus/real-world}"

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRUNE_BUILD_FUZZ=ON "-DKESTRUNE_SANITIZE=address;undefined" -DKESTRUNE_WERROR=ON \
  -DKESTRUNE_BUILD_TESTS=OFF -DKESTRUNE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target kestrune-fuzz-tag kestrune-fuzz-seeds

corpus="$build/fuzz-corpus"
seeds="$build/fuzz-seeds"
findings="$build/fuzz-findings"
mkdir -p "$corpus" "$findings"
rm -rf "$seeds"
"$build/fuzz/kestrune-fuzz-seeds" "$seeds"
cp tests/tag/regressions/* "$seeds"/
rm -f "$seeds"/README.md
if [ -d "$samples" ]; then
  cp "$samples"/*.mp3 "$seeds"/ 2>/dev/null || true
  chmod u+w "$seeds"/*
fi

log="$build/fuzz.log"
echo "Fuzzing the tag record for $seconds s (corpus $corpus, log $log)"
# A smaller quarantine than the default keeps the process well under the RSS limit in long runs.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:quarantine_size_mb=64"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
if nice -n 10 "$build/fuzz/kestrune-fuzz-tag" "$corpus" "$seeds" \
     -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
     -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
  grep -E '^(Done|stat::)' "$log"
  echo "No finding in $seconds s."
else
  tail -n 80 "$log"
  echo "FINDING: the input is in $findings/; store it in tests/tag/regressions/ and fix the cause." >&2
  exit 1
fi
