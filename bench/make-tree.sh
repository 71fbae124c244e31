#!/usr/bin/env bash
# Builds the folder tree of the scan benchmarks: 100,000 empty files, 80,000 of them .mp3, in 5,000
# folders (50 artist folders of 99 album folders each; 20 files in every folder: 16 tracks, 4 others).
# Empty files are enough: listing reads names, not contents.
# usage: bench/make-tree.sh DIR   (DIR must not exist yet, or be empty)
set -euo pipefail
dir="${1:?usage: make-tree.sh DIR}"
if [ -n "$(ls -A "$dir" 2>/dev/null)" ]; then
  echo "$dir is not empty" >&2
  exit 1
fi
mkdir -p "$dir"
cd "$dir"
for a in $(seq -w 1 50); do
  artist="Artist $a"
  mkdir "$artist"
  (
    cd "$artist"
    touch "01 Intro.mp3" "02 Song.MP3" "03 Song.mp3" "04 Song.mp3" "05 Song.mp3" "06 Song.mp3" "07 Song.mp3" \
          "08 Song.mp3" "09 Song.mp3" "10 Song.mp3" "11 Song.mp3" "12 Song.mp3" "13 Song.mp3" "14 Song.mp3" \
          "15 Song.mp3" "16 Outro.mp3" "cover.jpg" "back.jpg" "notes.txt" "playlist.m3u"
    for b in $(seq -w 1 99); do
      album="Album $b"
      mkdir "$album"
      touch "$album"/{01..15}" Track.mp3" "$album/16 Hidden Track.Mp3" \
            "$album/cover.jpg" "$album/folder.jpg" "$album/info.txt" "$album/album.cue"
    done
  )
done
folders=$(find . -mindepth 1 -type d | wc -l)
files=$(find . -type f | wc -l)
mp3=$(find . -type f -iname '*.mp3' | wc -l)
echo "$dir: $folders folders, $files files, $mp3 .mp3"
