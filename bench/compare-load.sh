#!/usr/bin/env bash
# Reading the tags of the same files: kestrune-bench load against mutagen in one Python process.
# usage: bench/compare-load.sh [DIR] [N]   (DIR is filled with N files (default 2000) when it is empty)
# KESTRUNE_BENCH names the kestrune-bench binary (default: build/release/bench/kestrune-bench).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bench="${KESTRUNE_BENCH:-$here/../build/release/bench/kestrune-bench}"
dir="${1:-/tmp/kestrune-bench-corpus}"
count="${2:-2000}"
python=/usr/bin/python3

if [ -z "$(ls -A "$dir" 2>/dev/null)" ]; then
  echo "making $count files in $dir"
  "$python" "$here/make-corpus.py" "$dir" "$count"
fi

# Both read every file once before the measured runs, so both start from a warm cache; of three
# runs each the fastest counts, which keeps out most of the noise of other work on the machine.
"$bench" load "$dir" > /dev/null
ours_seconds=""
for run in 1 2 3; do
  line="$("$bench" load "$dir" | tail -n 1)"   # "<files> files in <seconds> s"
  ours_files="$(echo "$line" | awk '{print $1}')"
  seconds="$(echo "$line" | awk '{print $4}')"
  if [ -z "$ours_seconds" ] || awk -v a="$seconds" -v b="$ours_seconds" 'BEGIN { exit !(a < b) }'; then
    ours_seconds="$seconds"
  fi
done

theirs="$("$python" - "$dir" <<'PY'
import os, sys, time
from mutagen.id3 import ID3
files = [os.path.join(r, f) for r, _, fs in os.walk(sys.argv[1]) for f in fs if f.lower().endswith(".mp3")]
for f in files:
    ID3(f)
best = None
for run in range(3):
    start = time.perf_counter()
    for f in files:
        ID3(f)
    seconds = time.perf_counter() - start
    best = seconds if best is None else min(best, seconds)
print(len(files), best)
PY
)"
theirs_files="$(echo "$theirs" | awk '{print $1}')"
theirs_seconds="$(echo "$theirs" | awk '{print $2}')"

awk -v of="$ours_files" -v os="$ours_seconds" -v tf="$theirs_files" -v ts="$theirs_seconds" 'BEGIN {
  ours = of / os; theirs = tf / ts;
  printf "%-22s %8s %10s %12s   (best of 3 runs)\n", "reader", "files", "seconds", "files/s";
  printf "%-22s %8d %10.3f %12.0f\n", "kestrune-bench load", of, os, ours;
  printf "%-22s %8d %10.3f %12.0f\n", "mutagen ID3()", tf, ts, theirs;
  printf "ratio: %.1fx mutagen files/s\n", ours / theirs;
}'
