#!/usr/bin/python3
"""Creates N MP3 files of a few seconds of silence with ID3v2.3 tags, for the benchmarks.

usage: make-corpus.py DIR N [SECONDS] [--picture]
  --picture: each file also gets a 300 KB front cover (APIC, after the text frames, as mutagen orders
             frames) and an ID3v1 tag
"""
import os
import sys

from mutagen.id3 import (ID3, APIC, TIT2, TALB, TPE1, TRCK, TYER, TCON, COMM, TCOM, TOPE, TCOP, WXXX, TENC)

FRAME_BYTES = 417          # MPEG-1 Layer III, 128 kbps, 44.1 kHz
FRAMES_PER_SECOND = 44100 / 1152
PICTURE_BYTES = 300 * 1024


def silence(seconds):
    frame = b"\xff\xfb\x90\x00" + bytes(FRAME_BYTES - 4)
    return frame * int(seconds * FRAMES_PER_SECOND)


def main():
    args = [a for a in sys.argv[1:] if a != "--picture"]
    picture = len(args) != len(sys.argv) - 1
    if len(args) not in (2, 3):
        sys.exit(__doc__)
    folder, count = args[0], int(args[1])
    seconds = float(args[2]) if len(args) == 3 else 3.0
    os.makedirs(folder, exist_ok=True)
    audio = silence(seconds)
    for i in range(count):
        path = os.path.join(folder, "track-%05d.mp3" % i)
        with open(path, "wb") as f:
            f.write(audio)
        tag = ID3()
        tag.add(TIT2(encoding=1, text="Title %d — Заголовок" % i))
        tag.add(TALB(encoding=0, text="Album %d" % (i // 12)))
        tag.add(TPE1(encoding=1, text="Artist %d 歌手" % (i % 50)))
        tag.add(TRCK(encoding=0, text="%d/12" % (i % 12 + 1)))
        tag.add(TYER(encoding=0, text="%d" % (1970 + i % 50)))
        tag.add(TCON(encoding=0, text="(17)"))
        tag.add(COMM(encoding=0, lang="eng", desc="", text="Comment for file %d" % i))
        tag.add(TCOM(encoding=0, text="Composer %d" % (i % 30)))
        tag.add(TOPE(encoding=0, text="Original %d" % (i % 40)))
        tag.add(TCOP(encoding=0, text="(C) %d Label" % (1970 + i % 50)))
        tag.add(WXXX(encoding=0, desc="", url="http://example.com/%d" % i))
        tag.add(TENC(encoding=0, text="LAME 3.100"))
        if picture:
            # Bytes that differ from file to file and do not compress, as a real JPEG's would.
            image = b"\xff\xd8\xff\xe0" + os.urandom(PICTURE_BYTES - 4)
            tag.add(APIC(encoding=0, mime="image/jpeg", type=3, desc="", data=image))
        tag.save(path, v2_version=3, v1=2 if picture else 0)


if __name__ == "__main__":
    main()
