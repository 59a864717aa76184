#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpus of the tag fuzzer: small files with ID3v1 and
ID3v2 tags of every supported shape, and a few damaged ones."""
import os
import sys


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(version, fid, data):
    if version == 2:
        return fid.encode() + len(data).to_bytes(3, "big") + data
    return fid.encode() + len(data).to_bytes(4, "big") + b"\0\0" + data


def id3v2(version, frames, padding=64, flags=0, size=None):
    body = b"".join(frame(version, f, d) for f, d in frames) + b"\0" * padding
    n = len(body) if size is None else size
    return b"ID3" + bytes([version, 0, flags]) + syncsafe(n) + body


def id3v1(title=b"Title", artist=b"Artist", album=b"Album", year=b"2003",
          comment=b"Comment", track=None, genre=17):
    def field(v, w, pad=b"\0"):
        return (v + pad * w)[:w]
    block = b"TAG" + field(title, 30, b" ") + field(artist, 30, b" ") + field(album, 30)
    block += field(year, 4)
    if track is None:
        block += field(comment, 30)
    else:
        block += field(comment, 28) + b"\0" + bytes([track])
    return block + bytes([genre])


AUDIO = b"\xff\xfb\x90\x00" + b"\x55" * 60

V3 = [("TIT2", b"\0Song"), ("TPE1", b"\0Band"), ("TALB", b"\0Album"),
      ("TRCK", b"\x003/12"), ("TYER", b"\x002003"), ("TCON", b"\0(17)Rock"),
      ("COMM", b"\0eng\0Nice"), ("TCOM", b"\0Composer"), ("TENC", b"\0Enc"),
      ("TCOP", b"\0Copy"), ("TLAN", b"\0eng"), ("WXXX", b"\0\0http://x")]
V2 = [("TT2", b"\0Song"), ("TP1", b"\0Band"), ("TAL", b"\0Album"),
      ("TRK", b"\x007"), ("TYE", b"\x001999"), ("TCO", b"\0(4)"),
      ("COM", b"\0engDesc\0Text"), ("WXX", b"\0home\0x")]
V4 = [("TIT1", b"\0Group"), ("TOPE", b"\0Orig"), ("TOAL", b"\0OrigAlbum"),
      ("TDRC", b"\x002003-05-12"), ("TIT2", b"\x01\xff\xfeS\0"), ("APIC", b"\0" * 300)]


def frame4(fid, data, flags=0):
    return fid.encode() + syncsafe(len(data)) + flags.to_bytes(2, "big") + data


def unsync(data):
    return data.replace(b"\xff", b"\xff\x00")


# Tags as today's taggers write them. The last byte of a seed also chooses
# what the target does: bit 0x04 full tag support, bits 0x03 both a write.
UTF16 = b"\x01\xff\xfe" + "\u00dcber".encode("utf-16-le")
V4_WILD = (frame4("TIT2", b"\x03\xc3\x9cber Alles") + frame4("TPE1", UTF16)
           + frame4("COMM", b"\x00engiTunNORM\x00 0000A") + frame4("COMM", b"\x03eng\x00Nice")
           + frame4("TRCK", b"\x009/12") + frame4("TCON", b"\x00Rock\x00Pop")
           + frame4("APIC", b"\x00image/jpeg\x00\x03\x00" + b"\xff\xd8" * 40)
           + frame4("TIT3", b"\x00\xff\xe0x", flags=0x0003)[:10] + syncsafe(3)
           + unsync(b"\x00\xff\xe0"))
WILD_ENDS = AUDIO + b"\x07"

SEEDS = {
    "v24-wild.mp3": b"ID3\4\0\0" + syncsafe(len(V4_WILD) + 20) + V4_WILD + b"\0" * 20 + WILD_ENDS,
    "v23-utf16-unsync.mp3": b"ID3\3\0\x80" + syncsafe(len(unsync(frame(3, "TIT2", UTF16))))
    + unsync(frame(3, "TIT2", UTF16)) + WILD_ENDS,
    "v24-extended-header.mp3": b"ID3\4\0\x40" + syncsafe(6 + 15) + syncsafe(6) + b"\x01\x00"
    + frame4("TIT2", b"\x00Song") + WILD_ENDS,
    "v24-plain-sizes.mp3": id3v2(4, [("TIT2", b"\0" + b"x" * 299), ("TPE1", b"\0Band")]) + WILD_ENDS,
    "v1-only.mp3": AUDIO + id3v1(),
    "v11-only.mp3": AUDIO + id3v1(track=5, genre=140),
    "v11-blank-marker.mp3": AUDIO + id3v1(comment=b"x" * 28 + b" A"),
    "v23-full.mp3": id3v2(3, V3) + AUDIO + id3v1(),
    "v22.mp3": id3v2(2, V2) + AUDIO,
    "v24-fallbacks.mp3": id3v2(4, V4) + AUDIO,
    "v23-footer.mp3": id3v2(3, V3[:2], flags=0x10) + b"3DI" + b"\0" * 7 + AUDIO,
    "v23-extended-header.mp3": id3v2(3, V3[:2], flags=0x40) + AUDIO,
    "v23-size-past-end.mp3": id3v2(3, V3[:1], size=100000) + AUDIO,
    "v23-frame-size-huge.mp3": b"ID3\3\0\0" + syncsafe(30) + b"TIT2\xff\xff\xff\xff\0\0\0Song"
    + b"\0" * 8 + AUDIO,
    "v5.mp3": id3v2(5, V3[:1]) + AUDIO,
    "tiny.mp3": b"ID3\3",
    "empty-tag.mp3": id3v2(3, [], padding=0) + AUDIO,
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "tags")
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
