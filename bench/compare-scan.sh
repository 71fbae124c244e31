#!/usr/bin/env bash
# Listing the MP3 files of a large folder tree: the main window's sub-folder fill (kestrune-bench scan
# --recursive: the walk, the file scans and the insertion of every entry into the list) against
# `find DIR -iname '*.mp3'` on the same tree. Both run with a warm cache, alternately, and the best of
# RUNS runs of each counts, which keeps out most of the noise of other work on the machine.
# usage: bench/compare-scan.sh [DIR] [RUNS]   (DIR is made by make-tree.sh when it does not exist;
#        default /tmp/kestrune-tree, 5 runs)
# KESTRUNE_BENCH names the kestrune-bench binary (default: build/release/bench/kestrune-bench).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bench="${KESTRUNE_BENCH:-$here/../build/release/bench/kestrune-bench}"
dir="${1:-/tmp/kestrune-tree}"
runs="${2:-5}"

if [ ! -d "$dir" ]; then
  "$here/make-tree.sh" "$dir"
fi

min() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }

# One unmeasured run of each reads the tree into the cache.
find "$dir" -iname '*.mp3' > /dev/null
"$bench" scan "$dir" --recursive > /dev/null

ours="" theirs="" cpu=""
for run in $(seq "$runs"); do
  out="$("$bench" scan "$dir" --recursive)"
  line="$(echo "$out" | tail -n 1)"                       # "<entries> entries in <seconds> s"
  entries="$(echo "$line" | awk '{print $1}')"
  ours="$(min "$(echo "$line" | awk '{print $4}')" "$ours")"
  cpu="$(min "$(echo "$out" | sed -n 's/^processor time \([0-9.]*\) s.*/\1/p')" "$cpu")"

  seconds="$( { TIMEFORMAT=%3R; time find "$dir" -iname '*.mp3' > /dev/null; } 2>&1 )"
  theirs="$(min "$seconds" "$theirs")"
done
found="$(find "$dir" -iname '*.mp3' | wc -l)"

awk -v n="$entries" -v o="$ours" -v c="$cpu" -v f="$found" -v t="$theirs" -v r="$runs" 'BEGIN {
  printf "%-36s %8s %10s   (best of %d runs)\n", "lister", "entries", "seconds", r;
  printf "%-36s %8d %10.3f   (processor time %.3f s)\n", "kestrune-bench scan --recursive", n, o, c;
  printf "%-36s %8d %10.3f\n", "find -iname *.mp3", f, t;
  printf "ratio: %.2fx the time of find\n", o / t;
}'
