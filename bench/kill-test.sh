#!/usr/bin/env bash
# Kill test of saving: `kestrune-bench save` writes title and artist into an MP3 file and is killed
# with SIGKILL at a random instant, TRIALS times for each case:
#   grow    - 10 to 20 MB of audio, an ID3v2.3 tag without padding: the tag must grow, the file is
#             replaced through a temporary file
#   fit     - the same with 1 KB of padding and an ID3v1 tag that holds the new texts already: the
#             ID3v2 tag changes in place
#   both    - the same with an ID3v1 tag holding the old texts: both tags change in place, ID3v2 first
#   picture - an 8 MB picture before the text frames, 4 KB of padding, an ID3v1 tag holding the new
#             texts, 2 MB of audio: the ID3v2 tag changes in place, a few bytes after the picture
# After every kill the file must be at its path; its ID3v2 region must be byte for byte the old or the
# new one, its ID3v1 tag the old or the new one, and every other byte as before (the new file is made
# once beforehand by an uninterrupted save). A temporary file (.<name>.kestrune-save) may be left by
# a kill; a following uninterrupted save must give the new file and leave no temporary behind.
#
# usage: bench/kill-test.sh [TRIALS] [WORKDIR] [CASES]   (TRIALS per case, default 150; CASES default
#        "grow fit both picture")
# Environment: KESTRUNE_BENCH (default build/release/bench/kestrune-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
trials="${1:-150}"
bench="$(realpath "${KESTRUNE_BENCH:-build/release/bench/kestrune-bench}")"
work="${2:-$(mktemp -d "${TMPDIR:-/tmp}/kestrune-kill-XXXXXX")}"
cases="${3:-grow fit both picture}"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Originals: tag frames, then MPEG-1 Layer III frames (128 kbps, 44.1 kHz) each numbered in its body,
# so that any shifted or duplicated audio compares unequal.
/usr/bin/python3 - "$work" <<'EOF_PY'
import os, struct, sys
work = sys.argv[1]
def frame(fid, body):
    return fid.encode() + struct.pack(">I", len(body)) + b"\0\0" + body
def text(fid, t):
    return frame(fid, b"\0" + t.encode("latin-1"))
def synchsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
def id3v1(title, artist):
    return b"TAG" + title.ljust(30, b"\0") + artist.ljust(30, b"\0") + b"\0" * 30 + b"\0" * 4 + b"\0" * 30 + b"\xff"
def audio(size):
    out, n = bytearray(), 0
    while len(out) < size:
        body = struct.pack(">I", n) * ((417 - 36) // 4 + 1)
        out += b"\xFF\xFB\x90\x00" + b"\0" * 32 + body[: 417 - 36]
        n += 1
    return bytes(out)
texts = text("TIT2", "Old title") + text("TPE1", "Old") + text("TALB", "Album") + frame("COMM", b"\0eng\0Comment")
picture = frame("APIC", b"\0image/jpeg\0\x03\0" + b"\xff\xd8\xff\xe0" + os.urandom(8 * 1000 * 1000))
old_v1, new_v1 = id3v1(b"Old title", b"Old"), id3v1(b"Bench Title", b"Bench Artist")
cases = {  # frames, padding, ID3v1, audio sizes in MB
    "grow": (texts, 0, b"", (10, 15, 20)),
    "fit": (texts, 1024, new_v1, (10, 15, 20)),
    "both": (texts, 1024, old_v1, (10, 15, 20)),
    "picture": (picture + texts, 4096, new_v1, (2, 2, 2)),
}
for case, (frames, padding, v1, sizes) in cases.items():
    for i, mb in enumerate(sizes):
        tag = frames + b"\0" * padding
        data = b"ID3\x03\x00\x00" + synchsafe(len(tag)) + tag + audio(mb * 1000 * 1000 + i * 417) + v1
        open(f"{work}/{case}-{i}.mp3", "wb").write(data)
EOF_PY

# The tags of a file after a kill against the old and the new file: prints "v2 v1" as old/new/torn
# for each, or "other" when a byte outside the tags changed or the file is missing.
classify() {
  /usr/bin/python3 - "$@" <<'EOF_PY'
import os, sys
def split(path):
    b = open(path, "rb").read()
    size = 0
    if b[:3] == b"ID3":
        for c in b[6:10]:
            size = (size << 7) | (c & 0x7F)
        size += 10
    end = len(b) - 128 if len(b) >= size + 128 and b[-128:-125] == b"TAG" else len(b)
    return b[:size], b[size:end], b[end:]
result, old, new = sys.argv[1:4]
if not os.path.exists(result):
    print("other other"); sys.exit()
r, o, n = split(result), split(old), split(new)
def which(part):
    return "old" if r[part] == o[part] else "new" if r[part] == n[part] else "torn"
print(which(0), which(2) if r[1] == o[1] else "other")
EOF_PY
}

# One save of DIR; its run time in seconds on stdout.
timed_save() {
  local start end
  start=$(date +%s.%N)
  "$bench" save "$1" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }'
}

run_case() {
  local case="$1" torn=0 stray=0 finished=0 after_failures=0 in_place=0
  local -A seen=()
  # The new files, and the time an uninterrupted save takes (the median of the three).
  local i times=()
  for i in 0 1 2; do
    mkdir -p "$work/ref-$case-$i"
    cp "$work/$case-$i.mp3" "$work/ref-$case-$i/song.mp3"
    local inode
    inode=$(stat -c %i "$work/ref-$case-$i/song.mp3")
    times+=("$(timed_save "$work/ref-$case-$i")")
    [ "$(stat -c %i "$work/ref-$case-$i/song.mp3")" = "$inode" ] && in_place=$((in_place + 1))
    cmp -s "$work/$case-$i.mp3" "$work/ref-$case-$i/song.mp3" && { echo "$case: the save changed nothing" >&2; exit 1; }
  done
  local typical
  typical=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
  echo "$case: an uninterrupted save takes ${typical} s (median of three; process start included); written in place in $in_place of 3"

  local t dir delay file state
  for ((t = 0; t < trials; t++)); do
    i=$((t % 3))
    dir="$work/trial"
    rm -rf "$dir" && mkdir "$dir"
    cp "$work/$case-$i.mp3" "$dir/song.mp3"
    sync "$dir/song.mp3"
    # A random instant between the start of the process and 1.2 times its usual run time.
    delay=$(awk -v t="$typical" -v r="$RANDOM" 'BEGIN { printf "%.4f", t * 1.2 * r / 32767 }')
    "$bench" save "$dir" >/dev/null 2>&1 &
    local pid=$!
    sleep "$delay"
    kill -KILL "$pid" 2>/dev/null || true
    if wait "$pid" 2>/dev/null; then finished=$((finished + 1)); fi

    file="$dir/song.mp3"
    state=$(classify "$file" "$work/$case-$i.mp3" "$work/ref-$case-$i/song.mp3")
    seen[$state]=$(( ${seen[$state]:-0} + 1 ))
    if [[ "$state" == *torn* || "$state" == *other* ]]; then
      torn=$((torn + 1))
      echo "  trial $t: $state ($( [ -e "$file" ] && stat -c %s "$file" || echo missing ) bytes)" >&2
    fi
    [ -e "$dir/.song.mp3.kestrune-save" ] && stray=$((stray + 1))

    # A following save finishes the job and clears what the killed one left.
    "$bench" save "$dir" >/dev/null 2>&1 || true
    if ! cmp -s "$file" "$work/ref-$case-$i/song.mp3" || [ "$(ls -A "$dir" | wc -l)" -ne 1 ]; then
      after_failures=$((after_failures + 1))
      echo "  trial $t: after a clean save: $(ls -A "$dir" | tr '\n' ' ')" >&2
    fi
  done
  rm -rf "$work/trial"
  local states=""
  for state in "old old" "new old" "old new" "new new"; do
    states+="$(printf 'ID3v2 %s, ID3v1 %s: %d; ' ${state} "${seen[$state]:-0}")"
  done
  printf '%-7s %4d kills: %storn or changed elsewhere %d | temporary files left %d (after the next save: %d) | save done before the kill %d\n' \
    "$case" "$trials" "$states" "$torn" "$stray" "$after_failures" "$finished"
  [ "$torn" -eq 0 ] && [ "$after_failures" -eq 0 ]
}

status=0
for c in $cases; do
  run_case "$c" || status=1
done
exit $status
