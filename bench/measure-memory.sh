#!/usr/bin/env bash
# Peak memory of the main window listing a large tree: `kestrune-bench scan TREE --recursive` under
# /usr/bin/time -v, on a tree of 100,000 empty .mp3 files in 5,000 folders (100,000 entries listed),
# and on an empty folder, so that the list's own share shows. Any other tree can be given, e.g. one
# made by bench/make-tree.sh (100,000 files of which 80,000 .mp3).
#
# usage: bench/measure-memory.sh [TREE]   (the default tree is made in $TMPDIR when missing)
# Environment: KESTRUNE_BENCH (default build/release/bench/kestrune-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
bench="$(realpath "${KESTRUNE_BENCH:-build/release/bench/kestrune-bench}")"
[ -x "$bench" ] || { echo "no $bench: build it first (scripts/build.sh release)" >&2; exit 2; }
tree="${1:-${TMPDIR:-/tmp}/kestrune-tree-100k-mp3}"
if [ ! -d "$tree" ]; then
  # 50 artist folders of 100 album folders each, 20 tracks in every album folder.
  for a in $(seq -w 1 50); do
    for b in $(seq -w 1 100); do
      mkdir -p "$tree/Artist $a/Album $b"
      (cd "$tree/Artist $a/Album $b" && touch {01..20}" Track.mp3")
    done
  done
fi
empty="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-empty-XXXXXX")"
runtime="$(mktemp -d "${TMPDIR:-/tmp}/kestrune-runtime-XXXXXX")"
log="$(mktemp "${TMPDIR:-/tmp}/kestrune-time-XXXXXX")"
export XDG_RUNTIME_DIR="$runtime"
trap 'rm -rf "$empty" "$runtime" "$log"' EXIT

# Prints "<entries> <peak RSS in KB> <seconds of the fill>" for one scan.
measure() {
  local out
  out=$(/usr/bin/time -v -o "$log" "$bench" scan "$1" --recursive)
  local entries seconds rss
  entries=$(sed -n 's/^\([0-9]*\) entries in \([0-9.]*\) s$/\1/p' <<<"$out")
  seconds=$(sed -n 's/^\([0-9]*\) entries in \([0-9.]*\) s$/\2/p' <<<"$out")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): \([0-9]*\)/\1/p' "$log")
  echo "$entries $rss $seconds"
}

read -r base_entries base_rss _ < <(measure "$empty")
read -r entries rss seconds < <(measure "$tree")
read -r _ rss2 seconds2 < <(measure "$tree")  # a second run: warm caches, same memory
awk -v e="$entries" -v r="$rss" -v r2="$rss2" -v b="$base_rss" -v be="$base_entries" -v s="$seconds" -v s2="$seconds2" 'BEGIN {
  printf "empty folder: %d entries, peak RSS %.1f MB\n", be, b / 1024
  printf "%s: %d entries listed in %.2f s / %.2f s, peak RSS %.1f MB / %.1f MB\n", "'"$tree"'", e, s, s2, r / 1024, r2 / 1024
  if (e > 0) printf "the list costs %.1f MB, %.0f bytes per entry\n", (r - b) / 1024, (r - b) * 1024 / e
}'
