#!/usr/bin/env bash
# Writing title "Bench Title" and artist "Bench Artist" into the same N files (default 2000, a few
# seconds of audio each, ID3v2.3 tags): kestrune-bench save (the save loop alone) and save-gui (the
# main window with its worker and progress dialog) against mid3v2, eyeD3, id3v2 and kid3-cli, each
# where installed (bench/install-peers.sh installs them).
#
# usage: bench/compare-save.sh [DIR] [N]
#   DIR/pristine is made once by make-corpus.py; every run starts from a fresh copy in DIR/work,
#   flushed to disk before the clock starts. Put DIR on the file system you want to measure (a tmpfs
#   such as /dev/shm shows the cost without the disk's flushes).
#   KESTRUNE_BENCH names the kestrune-bench binary (default: build/release/bench/kestrune-bench);
#   RUNS (default 3) is how many runs each tool gets: the fastest counts.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bench="${KESTRUNE_BENCH:-$here/../build/release/bench/kestrune-bench}"
dir="${1:-/tmp/kestrune-save-bench}"
count="${2:-2000}"
runs="${RUNS:-3}"
python=/usr/bin/python3
pristine="$dir/pristine"
work="$dir/work"

mkdir -p "$dir"
if [ "$(find "$pristine" -name '*.mp3' 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$pristine"
  echo "making $count files in $pristine"
  "$python" "$here/make-corpus.py" "$pristine" "$count"
fi

restore() {
  rm -rf "$work"
  cp -a "$pristine" "$work"
  sync
}

files() { find "$work" -name '*.mp3' -print0; }

kestrune_save() { "$bench" save "$work"; }
kestrune_save_gui() { "$bench" save-gui "$work"; }
mid3v2_save() { files | xargs -0 mid3v2 -t "Bench Title" -a "Bench Artist"; }
eyed3_save() { files | xargs -0 eyeD3 -Q --no-color --no-config -t "Bench Title" -a "Bench Artist"; }
id3v2_save() { files | xargs -0 id3v2 -t "Bench Title" -a "Bench Artist"; }
# kid3-cli slows down more than linearly with the number of paths it is given: 100 at a time.
kid3_save() { files | xargs -0 -n 100 kid3-cli -c "set title 'Bench Title'" -c "set artist 'Bench Artist'"; }

# Every file must hold the two texts afterwards, or the tool's time does not count.
check() {
  "$python" - "$work" <<'PY'
import os, sys
from mutagen.id3 import ID3
bad = 0
for root, _, names in os.walk(sys.argv[1]):
    for n in names:
        if n.lower().endswith(".mp3"):
            t = ID3(os.path.join(root, n))
            if str(t.get("TIT2")) != "Bench Title" or str(t.get("TPE1")) != "Bench Artist":
                bad += 1
sys.exit(1 if bad else 0)
PY
}

# Prints the fastest wall-clock time of `runs` runs of the function $1, or nothing when it failed.
best_of() {
  local best="" start end seconds
  for ((r = 1; r <= runs; r++)); do
    restore
    start=$(date +%s.%N)
    if ! "$1" > "$dir/out" 2> "$dir/err"; then
      echo "$1 failed:" >&2
      tail -n 5 "$dir/err" >&2
      return 0
    fi
    end=$(date +%s.%N)
    check || { echo "$1 left files without the texts" >&2; return 0; }
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best="$seconds"
    fi
  done
  echo "$best"
}

declare -a names=() times=()
measure() {  # name, function, program that must exist
  if [ -n "$3" ] && ! command -v "$3" > /dev/null; then
    echo "skipping $1: $3 is not installed" >&2
    return
  fi
  local t
  t="$(best_of "$2")"
  [ -n "$t" ] && names+=("$1") && times+=("$t")
  return 0
}

measure "kestrune-bench save" kestrune_save ""
measure "kestrune-bench save-gui" kestrune_save_gui ""
measure "mid3v2" mid3v2_save mid3v2
measure "eyeD3" eyed3_save eyeD3
measure "id3v2" id3v2_save id3v2
measure "kid3-cli" kid3_save kid3-cli
rm -rf "$work" "$dir/out" "$dir/err"

mid=""
for i in "${!names[@]}"; do [ "${names[$i]}" = "mid3v2" ] && mid="${times[$i]}"; done
printf "%-26s %8s %10s %10s %12s   (%s files in %s, best of %d runs, wall clock)\n" \
  "writer" "files" "seconds" "files/s" "vs mid3v2" "$count" "$dir" "$runs"
for i in "${!names[@]}"; do
  awk -v n="${names[$i]}" -v f="$count" -v s="${times[$i]}" -v m="$mid" 'BEGIN {
    rate = f / s;
    ratio = m == "" ? "-" : sprintf("%.2fx", rate / (f / m));
    printf "%-26s %8d %10.3f %10.0f %12s\n", n, f, s, rate, ratio;
  }'
done
