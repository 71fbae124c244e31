#!/usr/bin/env bash
# Kestrune side by side with other tag tools, all in one run on this machine:
#   read  the tags of N files (default 2000, 3 s of audio and twelve ID3v2.3 frames each, made once by
#         make-corpus.py): kestrune-bench load against mutagen in one Python process, mid3v2 -l,
#         id3v2 -l and kid3-cli;
#   scan  the MP3 files of the 100,000-file tree of make-tree.sh: the main window's fill with "S"
#         against find -iname '*.mp3';
#   save  title "Bench Title" and artist "Bench Artist" into the N files, on DIR's file system and on
#         /dev/shm (a tmpfs: the cost without the disk's flushes): kestrune-bench save (the save loop)
#         and save-gui (the main window with its worker and progress dialog) against mid3v2, eyeD3,
#         id3v2 and kid3-cli;
#   picture  the same on a second set of N files, each with a 300 KB picture after its text frames
#         and an ID3v1 tag (make-corpus.py --picture), on both file systems, against mid3v2: the first
#         save, and a second save of files Kestrune has saved once with texts 4 characters longer
#         (mid3v2 on copies of the same once-saved files).
# Every figure is the wall clock of the whole command, the fastest of RUNS runs (default 3). Reading
# and listing start from a warm cache; every save starts from a fresh copy flushed to disk. A tool's
# figure counts only when its output (read, scan) or the files (save) show it did the whole job.
# Prints one Markdown table; its last column is each tool's time over Kestrune's, the operation's
# first row (above 1: Kestrune is faster).
#
# usage: bench/compare-peers.sh [DIR]   (default /tmp/kestrune-peers)
#   N, RUNS, PARTS (default "read scan save picture") in the environment; KESTRUNE_BENCH names the
#   kestrune-bench binary (default build/release/bench/kestrune-bench). bench/install-peers.sh installs
#   the other tools; one that is not installed is left out.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bench="${KESTRUNE_BENCH:-$here/../build/release/bench/kestrune-bench}"
dir="$(mkdir -p "${1:-/tmp/kestrune-peers}" && cd "${1:-/tmp/kestrune-peers}" && pwd)"
count="${N:-2000}"
runs="${RUNS:-3}"
parts="${PARTS:-read scan save picture}"
python=/usr/bin/python3
pristine="$dir/pristine"
pictures="$dir/pristine-picture"
tree="$dir/tree"
out="$dir/out"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

if [ "$(find "$pristine" -name '*.mp3' 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$pristine"
  echo "making $count files in $pristine" >&2
  "$python" "$here/make-corpus.py" "$pristine" "$count"
fi
if [[ " $parts " == *" picture "* && "$(find "$pictures" -name '*.mp3' 2>/dev/null | wc -l)" -ne "$count" ]]; then
  rm -rf "$pictures"
  echo "making $count files with pictures in $pictures" >&2
  "$python" "$here/make-corpus.py" "$pictures" "$count" 3 --picture
fi
if [[ " $parts " == *" scan "* && ! -d "$tree" ]]; then
  echo "making the tree in $tree" >&2
  "$here/make-tree.sh" "$tree"
fi

files() { find "$1" -name '*.mp3' -print0; }
# How many lines of the last command's output match $1.
lines() { grep -c -- "$1" "$out" || true; }
faster() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(b == "" || a < b) }'; }

# --- the commands -------------------------------------------------------------------------------

read_kestrune() { "$bench" load "$pristine"; }
read_mutagen() {
  "$python" - "$pristine" <<'PY'
import os, sys
from mutagen.id3 import ID3
for root, _, names in os.walk(sys.argv[1]):
    for n in names:
        if n.lower().endswith(".mp3"):
            print(ID3(os.path.join(root, n)).get("TIT2"))
PY
}
read_mid3v2() { files "$pristine" | xargs -0 mid3v2 -l; }
read_id3v2() { files "$pristine" | xargs -0 id3v2 -l; }
# kid3-cli reads the files of its current folder one selection at a time.
read_kid3() {
  local -a commands=()
  local f
  while IFS= read -r -d '' f; do
    commands+=(-c "select none" -c "select '${f##*/}'" -c "get all")
  done < <(files "$pristine")
  (cd "$pristine" && printf '%s\0' "${commands[@]}" | xargs -0 -n 1200 kid3-cli)
}
read_done() {  # each reader shows every file's title, which holds "Заголовок"
  case "$1" in
    read_kestrune) [ "$(tail -n 1 "$out" | awk '{print $1}')" = "$count" ] ;;
    *) [ "$(lines 'Заголовок')" = "$count" ] ;;
  esac
}

scan_kestrune() { "$bench" scan "$tree" --recursive; }
scan_find() { find "$tree" -iname '*.mp3'; }
scan_done() {
  case "$1" in
    scan_kestrune) [ "$(tail -n 1 "$out" | awk '{print $1}')" = "$(find "$tree" -iname '*.mp3' | wc -l)" ] ;;
    *) [ "$(wc -l < "$out")" = "$(find "$tree" -iname '*.mp3' | wc -l)" ] ;;
  esac
}

# What a save writes, and the files each run starts from a fresh copy of.
title="Bench Title" artist="Bench Artist" source="$pristine"
save_kestrune() { "$bench" save "$work" "$title" "$artist"; }
save_kestrune_gui() { "$bench" save-gui "$work" "$title" "$artist"; }
save_mid3v2() { files "$work" | xargs -0 mid3v2 -t "$title" -a "$artist"; }
save_eyed3() { files "$work" | xargs -0 eyeD3 -Q --no-color --no-config -t "$title" -a "$artist"; }
save_id3v2() { files "$work" | xargs -0 id3v2 -t "$title" -a "$artist"; }
# kid3-cli slows down more than linearly with the number of paths it is given: 100 at a time.
save_kid3() { files "$work" | xargs -0 -n 100 kid3-cli -c "set title '$title'" -c "set artist '$artist'"; }
save_fresh() {
  rm -rf "$work"
  cp -a "$source" "$work"
  sync
}
save_done() {  # every file holds both texts
  "$python" - "$work" "$title" "$artist" <<'PY'
import os, sys
from mutagen.id3 import ID3
bad = 0
for root, _, names in os.walk(sys.argv[1]):
    for n in names:
        if n.lower().endswith(".mp3"):
            t = ID3(os.path.join(root, n))
            bad += str(t.get("TIT2")) != sys.argv[2] or str(t.get("TPE1")) != sys.argv[3]
sys.exit(1 if bad else 0)
PY
}

# --- measuring ----------------------------------------------------------------------------------

rows=()  # "operation|tool|items|seconds"
# measure OPERATION ITEMS TOOL COMMAND PREPARE DONE [PROGRAM]: the fastest of `runs` runs of COMMAND,
# each after PREPARE, counted when DONE COMMAND succeeds. Left out when PROGRAM is not installed.
measure() {
  local op="$1" items="$2" tool="$3" command="$4" prepare="$5" done="$6" program="${7:-}"
  if [ -n "$program" ] && ! command -v "$program" > /dev/null; then
    echo "leaving out $tool: $program is not installed" >&2
    return 0
  fi
  echo "$op: $tool" >&2
  local best="" start end seconds r
  for ((r = 1; r <= runs; r++)); do
    "$prepare"
    start=$(date +%s.%N)
    if ! "$command" > "$out" 2> "$out.err"; then
      echo "$tool failed:" >&2
      tail -n 5 "$out.err" >&2
      return 0
    fi
    end=$(date +%s.%N)
    if ! "$done" "$command"; then
      echo "$tool did not do the whole job; left out" >&2
      return 0
    fi
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    if faster "$seconds" "$best"; then best="$seconds"; fi
  done
  rows+=("$op|$tool|$items|$best")
}

warm() {  # reading and listing start from a warm cache
  cat "$pristine"/*.mp3 > /dev/null
  [ ! -d "$tree" ] || find "$tree" > /dev/null
}

load_at_start="$(cut -d ' ' -f 1-3 /proc/loadavg)"
if [[ " $parts " == *" read "* ]]; then
  op="read $count files"
  measure "$op" "$count" "kestrune-bench load" read_kestrune warm read_done
  measure "$op" "$count" "mutagen, one Python process" read_mutagen warm read_done
  measure "$op" "$count" "mid3v2 -l" read_mid3v2 warm read_done mid3v2
  measure "$op" "$count" "id3v2 -l" read_id3v2 warm read_done id3v2
  measure "$op" "$count" "kid3-cli, 200 files per call" read_kid3 warm read_done kid3-cli
fi
if [[ " $parts " == *" scan "* ]]; then
  entries="$(find "$tree" -iname '*.mp3' | wc -l)"
  op="list $entries MP3 files of a 100,000-file tree"
  measure "$op" "$entries" "kestrune-bench scan --recursive" scan_kestrune warm scan_done
  measure "$op" "$entries" "find -iname '*.mp3'" scan_find warm scan_done find
fi
if [[ " $parts " == *" save "* ]]; then
  shm=""
  [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && shm=/dev/shm/kestrune-peers
  for work in "$dir/work" ${shm:+"$shm/work"}; do
    mkdir -p "${work%/work}"
    op="save 2 fields into $count files, $(df --output=fstype "${work%/work}" | tail -n 1)"
    measure "$op" "$count" "kestrune-bench save" save_kestrune save_fresh save_done
    measure "$op" "$count" "kestrune-bench save-gui" save_kestrune_gui save_fresh save_done
    measure "$op" "$count" "mid3v2" save_mid3v2 save_fresh save_done mid3v2
    measure "$op" "$count" "id3v2" save_id3v2 save_fresh save_done id3v2
    measure "$op" "$count" "eyeD3" save_eyed3 save_fresh save_done eyeD3
    measure "$op" "$count" "kid3-cli, 100 files per call" save_kid3 save_fresh save_done kid3-cli
    rm -rf "$work"
  done
  [ -z "$shm" ] || rm -rf "$shm"
fi
if [[ " $parts " == *" picture "* ]]; then
  shm=""
  [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && shm=/dev/shm/kestrune-peers
  for work in "$dir/work" ${shm:+"$shm/work"}; do
    mkdir -p "${work%/work}"
    fs="$(df --output=fstype "${work%/work}" | tail -n 1)"
    title="Bench Title" artist="Bench Artist" source="$pictures"
    op="save 2 fields into $count files with a 300 KB picture and ID3v1, first save, $fs"
    measure "$op" "$count" "kestrune-bench save" save_kestrune save_fresh save_done
    measure "$op" "$count" "kestrune-bench save-gui" save_kestrune_gui save_fresh save_done
    measure "$op" "$count" "mid3v2" save_mid3v2 save_fresh save_done mid3v2
    # The files as Kestrune leaves them after one save; every tool saves copies of them.
    source="${work%/work}/once"
    rm -rf "$source"
    cp -a "$pictures" "$source"
    "$bench" save "$source" > /dev/null
    title="Bench Title 2nd" artist="Bench Artist 2nd"
    op="the same files saved once by Kestrune, second save with texts 4 characters longer, $fs"
    measure "$op" "$count" "kestrune-bench save" save_kestrune save_fresh save_done
    measure "$op" "$count" "kestrune-bench save-gui" save_kestrune_gui save_fresh save_done
    measure "$op" "$count" "mid3v2" save_mid3v2 save_fresh save_done mid3v2
    rm -rf "$work" "$source"
  done
  [ -z "$shm" ] || rm -rf "$shm"
fi
rm -f "$out" "$out.err"

# --- the table ----------------------------------------------------------------------------------

cpu="$(grep -m 1 'model name' /proc/cpuinfo | cut -d : -f 2 | sed 's/^ //')"
echo
echo "$(nproc) cores ($cpu), $(free -g | awk '/^Mem:/ {print $2}') GB, Debian $(cat /etc/debian_version)," \
  "Linux $(uname -r); load average $load_at_start at the start, $(cut -d ' ' -f 1-3 /proc/loadavg) at the end;" \
  "wall clock of the whole command, fastest of $runs runs"
echo
echo "| Operation | Tool | Seconds | Per second | Time ÷ Kestrune's |"
echo "|---|---|---|---|---|"
reference="" last_op=""
for row in "${rows[@]}"; do
  IFS='|' read -r op tool items seconds <<< "$row"
  # The first row of each operation is Kestrune's; the others are compared with it.
  first=0
  if [ "$op" != "$last_op" ]; then reference="$seconds"; last_op="$op"; first=1; fi
  awk -v op="$op" -v tool="$tool" -v n="$items" -v s="$seconds" -v ref="$reference" -v first="$first" 'BEGIN {
    printf "| %s | %s | %.3f | %.0f | %s |\n", first ? op : "", tool, s, n / s, first ? "1" : sprintf("%.2fx", s / ref);
  }'
done
