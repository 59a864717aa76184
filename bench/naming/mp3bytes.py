# SPDX-License-Identifier: GPL-3.0-or-later
"""The bytes of a small MP3 file: a few silent MPEG-1 Layer III frames, an
optional ID3v2 tag (2.2, 2.3 or 2.4, in any of the text encodings the
version allows) in front and an optional ID3v1 block at the end.

Written by hand, independent of any tag library, so that the benchmark
folder holds exactly the bytes each case asks for (mutagen, for one, cannot
write ID3v2.2, and it would re-encode text that is meant to be mojibake).

A text value is a str (encoded with the frame's encoding) or bytes (written
as they are, with encoding byte 0: text in another code page, as taggers
that ignore the standard write it).
"""

import struct
from dataclasses import dataclass, field
from typing import Optional, Union

Text = Union[str, bytes]

# ID3v2 text encodings, by their encoding byte.
LATIN1, UTF16, UTF16BE, UTF8 = 0, 1, 2, 3
ENCODING_NAMES = {LATIN1: "ISO-8859-1", UTF16: "UTF-16 with BOM", UTF16BE: "UTF-16BE", UTF8: "UTF-8"}

# Frame ids by field, for the 2.2 (three letters) and the 2.3/2.4 layouts.
_FRAME_IDS = {
    "title": ("TT2", "TIT2"),
    "artist": ("TP1", "TPE1"),
    "album_artist": ("TP2", "TPE2"),
    "album": ("TAL", "TALB"),
    "track": ("TRK", "TRCK"),
    "genre": ("TCO", "TCON"),
    "composer": ("TCM", "TCOM"),
    "encoder": ("TEN", "TENC"),
}

# A tiny JPEG-looking picture body: readers skip it, nobody decodes it.
_COVER = b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00" + bytes(600) + b"\xff\xd9"


@dataclass
class Id3v1:
    title: Text = ""
    artist: Text = ""
    album: Text = ""
    year: str = ""
    comment: Text = ""
    track: int = 0  # 0: an ID3v1.0 block (the comment may use all 30 bytes)
    genre: int = 255
    pad: bytes = b"\0"  # some taggers pad the fields with blanks


@dataclass
class Id3v2:
    version: int  # 2, 3 or 4
    encoding: int = LATIN1
    title: Optional[Text] = None
    artist: Optional[Text] = None
    album_artist: Optional[Text] = None
    album: Optional[Text] = None
    year: Optional[str] = None
    track: Optional[str] = None  # "9/12" as taggers write it
    genre: Optional[str] = None
    composer: Optional[Text] = None
    encoder: Optional[Text] = None
    comment: Optional[Text] = None
    lyrics: Optional[Text] = None
    cover: bool = False
    txxx: dict = field(default_factory=dict)
    padding: int = 0
    big_endian_bom: bool = False  # UTF-16 with the BOM FE FF instead of FF FE


def _encode(text: Text, encoding: int, big_endian_bom: bool) -> bytes:
    if isinstance(text, bytes):
        return text
    if encoding == LATIN1:
        return text.encode("latin-1")
    if encoding == UTF16:
        if big_endian_bom:
            return b"\xfe\xff" + text.encode("utf-16-be")
        return b"\xff\xfe" + text.encode("utf-16-le")
    if encoding == UTF16BE:
        return text.encode("utf-16-be")
    return text.encode("utf-8")


def _terminator(encoding: int) -> bytes:
    return b"\0\0" if encoding in (UTF16, UTF16BE) else b"\0"


def _syncsafe(n: int) -> bytes:
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def _frame(tag: Id3v2, frame_id: str, body: bytes) -> bytes:
    if tag.version == 2:
        return frame_id.encode() + struct.pack(">I", len(body))[1:] + body
    size = _syncsafe(len(body)) if tag.version == 4 else struct.pack(">I", len(body))
    return frame_id.encode() + size + b"\0\0" + body


def _text_frame(tag: Id3v2, frame_id: str, text: Text) -> bytes:
    encoding = LATIN1 if isinstance(text, bytes) else tag.encoding
    return _frame(tag, frame_id, bytes([encoding]) + _encode(text, encoding, tag.big_endian_bom))


def _described_frame(tag: Id3v2, frame_id: str, description: str, text: Text, language: bool) -> bytes:
    """COMM, USLT and TXXX: encoding, [language,] description, terminator, text."""
    encoding = LATIN1 if isinstance(text, bytes) else tag.encoding
    body = bytes([encoding]) + (b"eng" if language else b"")
    body += _encode(description, encoding, tag.big_endian_bom) + _terminator(encoding)
    return _frame(tag, frame_id, body + _encode(text, encoding, tag.big_endian_bom))


def _cover_frame(tag: Id3v2) -> bytes:
    if tag.version == 2:
        return _frame(tag, "PIC", b"\0JPG\x03\0" + _COVER)
    return _frame(tag, "APIC", b"\0image/jpeg\0\x03\0" + _COVER)


def id3v2_bytes(tag: Id3v2) -> bytes:
    v22 = tag.version == 2
    frames = b""
    for name, ids in _FRAME_IDS.items():
        value = getattr(tag, name)
        if value is not None:
            frames += _text_frame(tag, ids[0] if v22 else ids[1], value)
    if tag.year is not None:
        year_id = "TYE" if v22 else ("TDRC" if tag.version == 4 else "TYER")
        frames += _text_frame(tag, year_id, tag.year)
    if tag.comment is not None:
        frames += _described_frame(tag, "COM" if v22 else "COMM", "", tag.comment, True)
    if tag.lyrics is not None:
        frames += _described_frame(tag, "ULT" if v22 else "USLT", "", tag.lyrics, True)
    for description, value in tag.txxx.items():
        frames += _described_frame(tag, "TXX" if v22 else "TXXX", description, value, False)
    if tag.cover:
        frames += _cover_frame(tag)
    body = frames + bytes(tag.padding)
    return b"ID3" + bytes([tag.version, 0, 0]) + _syncsafe(len(body)) + body


def _v1_field(text: Text, width: int, pad: bytes) -> bytes:
    raw = text if isinstance(text, bytes) else text.encode("latin-1", "replace")
    raw = raw[:width]
    return raw + pad * (width - len(raw))


def id3v1_bytes(tag: Id3v1) -> bytes:
    block = b"TAG" + _v1_field(tag.title, 30, tag.pad) + _v1_field(tag.artist, 30, tag.pad)
    block += _v1_field(tag.album, 30, tag.pad) + _v1_field(tag.year, 4, b"\0")
    if tag.track:
        block += _v1_field(tag.comment, 28, b"\0") + b"\0" + bytes([tag.track])
    else:
        block += _v1_field(tag.comment, 30, b"\0")
    return block + bytes([tag.genre])


def mpeg_frames(count: int, seed: int) -> bytes:
    """`count` MPEG-1 Layer III frames, 128 kbit/s, 44.1 kHz, joint stereo, no
    CRC: 417 bytes each. The side information is zero (silence); a few bytes of
    the main data vary with `seed` so that files that are not meant to be
    duplicates do not hold the same audio."""
    header = b"\xff\xfb\x90\x64"
    frame = bytearray(header + bytes(417 - 4))
    frame[-4:] = struct.pack(">I", seed & 0xFFFFFFFF)
    return bytes(frame) * count


def mp3_bytes(v2: Optional[Id3v2], v1: Optional[Id3v1], frames: int, seed: int) -> bytes:
    return (id3v2_bytes(v2) if v2 else b"") + mpeg_frames(frames, seed) + (id3v1_bytes(v1) if v1 else b"")
