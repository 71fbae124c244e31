#!/usr/bin/env bash
# Kill test of saving: `kestrune-bench save` writes title and artist into an MP3 file of 10 to 20 MB
# and is killed with SIGKILL at a random instant, TRIALS times for each of two cases:
#   grow - an ID3v2.3 tag without padding: the tag must grow, the file is replaced through a temporary
#   fit  - the same tag with 1 KB of padding and an ID3v1 tag: the new tag is written in place
# After every kill the file must be byte for byte the old file or the new one (the new one is made
# once beforehand by an uninterrupted save), never missing, truncated or mixed. A temporary file
# (.<name>.kestrune-save) may be left by a kill; a following uninterrupted save must give the new file
# and leave no temporary behind.
#
# usage: bench/kill-test.sh [TRIALS] [WORKDIR]     (TRIALS per case, default 150)
# Environment: KESTRUNE_BENCH (default build/release/bench/kestrune-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
trials="${1:-150}"
bench="$(realpath "${KESTRUNE_BENCH:-build/release/bench/kestrune-bench}")"
[ -x "$bench" ] || { echo "no $bench: build it first (scripts/build.sh release)" >&2; exit 2; }
work="${2:-$(mktemp -d "${TMPDIR:-/tmp}/kestrune-kill-XXXXXX")}"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Originals: 4 frames of tag fields, then MPEG-1 Layer III frames (128 kbps, 44.1 kHz) each numbered
# in its body, so that any shifted or duplicated audio compares unequal.
/usr/bin/python3 - "$work" <<'EOF'
import struct, sys
work = sys.argv[1]
def frame(fid, text):
    body = b"\0" + text.encode("latin-1")
    return fid.encode() + struct.pack(">I", len(body)) + b"\0\0" + body
def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
frames = frame("TIT2", "Old title") + frame("TPE1", "Old") + frame("TALB", "Album") + frame("COMM", "eng\0Comment")
for case, padding in (("grow", 0), ("fit", 1024)):
    for mb in (10, 15, 20):
        tag = frames + b"\0" * padding
        out = bytearray(b"ID3\x03\x00\x00" + synchsafe(len(tag)) + tag)
        n = 0
        while len(out) < mb * 1000 * 1000:
            body = struct.pack(">I", n) * ((417 - 36) // 4 + 1)
            out += b"\xFF\xFB\x90\x00" + b"\0" * 32 + body[: 417 - 36]
            n += 1
        open(f"{work}/{case}-{mb}.mp3", "wb").write(out)
EOF

# The fit case must take the in-place path: its file needs the ID3v1 tag the save writes (else adding
# one would be a second write, and the record replaces the file whole). A save of a copy makes it.
mkdir "$work/v1"
for mb in 10 15 20; do
  cp "$work/grow-$mb.mp3" "$work/v1/song.mp3"
  "$bench" save "$work/v1" >/dev/null
  tail -c 128 "$work/v1/song.mp3" >>"$work/fit-$mb.mp3"
done
rm -rf "$work/v1"

# One save of DIR; its run time in seconds on stdout.
timed_save() {
  local start end
  start=$(date +%s.%N)
  "$bench" save "$1" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }' 
}

run_case() {
  local case="$1" old_intact=0 new_intact=0 corrupted=0 stray=0 finished=0 after_failures=0
  local -a sizes=(10 15 20)
  # The new files, and the time an uninterrupted save takes (the median of the three sizes).
  local mb times=()
  for mb in "${sizes[@]}"; do
    mkdir -p "$work/ref-$case-$mb"
    cp "$work/$case-$mb.mp3" "$work/ref-$case-$mb/song.mp3"
    times+=("$(timed_save "$work/ref-$case-$mb")")
    cmp -s "$work/$case-$mb.mp3" "$work/ref-$case-$mb/song.mp3" && { echo "$case: the save changed nothing" >&2; exit 1; }
  done
  local typical
  typical=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
  echo "$case: an uninterrupted save takes ${typical} s (median of 10, 15 and 20 MB; process start included)"

  local i dir delay file
  for ((i = 0; i < trials; i++)); do
    mb=${sizes[$((i % 3))]}
    dir="$work/trial"
    rm -rf "$dir" && mkdir "$dir"
    cp "$work/$case-$mb.mp3" "$dir/song.mp3"
    sync "$dir/song.mp3"
    # A random instant between the start of the process and 1.2 times its usual run time.
    delay=$(awk -v t="$typical" -v r="$RANDOM" 'BEGIN { printf "%.4f", t * 1.2 * r / 32767 }')
    "$bench" save "$dir" >/dev/null 2>&1 &
    local pid=$!
    sleep "$delay"
    kill -KILL "$pid" 2>/dev/null || true
    if wait "$pid" 2>/dev/null; then finished=$((finished + 1)); fi

    file="$dir/song.mp3"
    if cmp -s "$file" "$work/$case-$mb.mp3"; then
      old_intact=$((old_intact + 1))
    elif cmp -s "$file" "$work/ref-$case-$mb/song.mp3"; then
      new_intact=$((new_intact + 1))
    else
      corrupted=$((corrupted + 1))
      echo "  trial $i: corrupted ($( [ -e "$file" ] && stat -c %s "$file" || echo missing ) bytes)" >&2
    fi
    [ -e "$dir/.song.mp3.kestrune-save" ] && stray=$((stray + 1))

    # A following save finishes the job and clears what the killed one left.
    "$bench" save "$dir" >/dev/null 2>&1 || true
    if ! cmp -s "$file" "$work/ref-$case-$mb/song.mp3" || [ "$(ls -A "$dir" | wc -l)" -ne 1 ]; then
      after_failures=$((after_failures + 1))
      echo "  trial $i: after a clean save: $(ls -A "$dir" | tr '\n' ' ')" >&2
    fi
  done
  rm -rf "$work/trial"
  printf '%-5s %6d kills: old intact %4d | new intact %4d | corrupted %4d | stray temp files %4d (left after the next save: %d) | save done before the kill %d\n' \
    "$case" "$trials" "$old_intact" "$new_intact" "$corrupted" "$stray" "$after_failures" "$finished"
  [ "$corrupted" -eq 0 ] && [ "$after_failures" -eq 0 ]
}

status=0
run_case grow || status=1
run_case fit || status=1
exit $status
