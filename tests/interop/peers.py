#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the peer tag tools for the interop tests.

  peers.py check TOOL                  exit 0 when TOOL can be used
  peers.py read TOOL FILE              print what TOOL reads, one "key<TAB>value" a line
  peers.py write TOOL FILE KEY=VALUE... write ISO-8859-1 tags (ID3v2.3 and ID3v1) with TOOL
  peers.py wild VARIANT FILE           tag FILE as today's taggers do (UTF-8, UTF-16, covers,
                                       lyrics, ids, described comments); VARIANT names tool and form
  peers.py values mutagen FILE         what mutagen reads as title, artist, album, year, track,
                                       genre name and comment (the one without description)
  peers.py frames mutagen FILE         every ID3v2 frame mutagen sees: key and a hash of its data

TOOL is mutagen, eyed3, id3v2 or kid3 (reading only). Keys read: v1.title v1.artist v1.album
v1.year v1.comment v1.track v1.genre and v2.title v2.artist v2.album v2.year
v2.track v2.genre v2.comment (mutagen also v2.composer v2.encodedBy
v2.rightsNotice v2.language v2.url). Values are printed as UTF-8.
"""
import re
import shutil
import subprocess
import sys


def emit(values):
    for key, value in values.items():
        if value is None:
            continue
        sys.stdout.write("%s\t%s\n" % (key, str(value).replace("\n", " ")))


# --- mutagen -----------------------------------------------------------------

def mutagen_read(path):
    from mutagen.id3 import ID3, ParseID3v1, ID3NoHeaderError
    out = {}
    try:
        tags = ID3(path, translate=False, load_v1=False)
    except ID3NoHeaderError:
        tags = None
    if tags is not None:
        def text(frame_id):
            frame = tags.get(frame_id)
            return str(frame.text[0]) if frame is not None and frame.text else None
        for key, frame_id in (("title", "TIT2"), ("artist", "TPE1"), ("album", "TALB"),
                              ("year", "TYER"), ("track", "TRCK"), ("genre", "TCON"),
                              ("composer", "TCOM"), ("encodedBy", "TENC"),
                              ("rightsNotice", "TCOP"), ("language", "TLAN")):
            out["v2." + key] = text(frame_id)
        comments = tags.getall("COMM")
        if comments:
            out["v2.comment"] = str(comments[0].text[0]) if comments[0].text else ""
        links = tags.getall("WXXX")
        if links:
            out["v2.url"] = links[0].url
        out["v2.version"] = str(tags.version[1])
    with open(path, "rb") as f:
        data = f.read()
    v1 = ParseID3v1(data[-128:]) if len(data) >= 128 else None
    if v1:
        for key, frame_id in (("title", "TIT2"), ("artist", "TPE1"), ("album", "TALB"),
                              ("year", "TDRC"), ("track", "TRCK"), ("genre", "TCON")):
            frame = v1.get(frame_id)
            out["v1." + key] = str(frame.text[0]) if frame is not None else None
        comments = [f for k, f in v1.items() if k.startswith("COMM")]
        if comments:
            out["v1.comment"] = str(comments[0].text[0])
    return out


def mutagen_write(path, values):
    from mutagen import id3
    tags = id3.ID3()
    simple = {"title": id3.TIT2, "artist": id3.TPE1, "album": id3.TALB, "year": id3.TYER,
              "track": id3.TRCK, "genre": id3.TCON, "composer": id3.TCOM}
    for key, value in values.items():
        if key in simple:
            tags.add(simple[key](encoding=0, text=[value]))
        elif key == "comment":
            tags.add(id3.COMM(encoding=0, lang="eng", desc="", text=[value]))
        elif key == "url":
            tags.add(id3.WXXX(encoding=0, desc="", url=value))
    tags.save(path, v1=2, v2_version=3)


# --- eyeD3 -------------------------------------------------------------------

def eyed3_read(path):
    import logging
    logging.disable(logging.CRITICAL)
    from eyed3 import id3
    out = {}
    for prefix, version in (("v2.", id3.ID3_V2), ("v1.", id3.ID3_V1)):
        tag = id3.Tag()
        if not tag.parse(path, version=version):
            continue
        out[prefix + "title"] = tag.title
        out[prefix + "artist"] = tag.artist
        out[prefix + "album"] = tag.album
        date = tag.getBestDate()
        out[prefix + "year"] = str(date.year) if date else None
        out[prefix + "track"] = tag.track_num[0]
        if tag.genre is not None:
            out[prefix + "genre"] = tag.genre.id if tag.genre.id is not None else tag.genre.name
        if len(tag.comments):
            out[prefix + "comment"] = tag.comments[0].text
        if prefix == "v2.":
            out["v2.version"] = str(tag.version[1])
    return out


def eyed3_write(path, values):
    import logging
    logging.disable(logging.CRITICAL)
    from eyed3 import id3
    for version in (id3.ID3_V2_3, id3.ID3_V1_1):
        tag = id3.Tag()
        tag.title = values.get("title")
        tag.artist = values.get("artist")
        tag.album = values.get("album")
        if "year" in values:
            tag.recording_date = values["year"]
        if "track" in values:
            tag.track_num = int(values["track"])
        if "genre" in values:
            tag.genre = id3.Genre(id=int(values["genre"]))
        if "comment" in values:
            tag.comments.set(values["comment"], "", b"eng")
        tag.save(path, version=version, encoding="latin1")


# --- id3v2 (id3lib) ------------------------------------------------------------

V2_KEYS = {"TIT2": "title", "TPE1": "artist", "TALB": "album", "TYER": "year",
           "TRCK": "track", "TCON": "genre", "COMM": "comment"}


def id3v2_read(path):
    listing = subprocess.run(["id3v2", "-l", path], check=True, capture_output=True).stdout
    out = {}
    for raw in listing.split(b"\n"):
        line = raw.decode("latin-1")
        v1 = re.match(r"^Title  : (.*?)\s*Artist: (.*?)\s*$", line)
        if v1:
            out["v1.title"], out["v1.artist"] = v1.group(1).rstrip(), v1.group(2).rstrip()
            continue
        v1 = re.match(r"^Album  : (.*?)\s*Year: (\d*), Genre: .*?\((\d+)\)$", line)
        if v1:
            out["v1.album"], out["v1.year"], out["v1.genre"] = (
                v1.group(1).rstrip(), v1.group(2), v1.group(3))
            continue
        v1 = re.match(r"^Comment: (.*?)\s*Track: (\d*)$", line)
        if v1:
            out["v1.comment"], out["v1.track"] = v1.group(1).rstrip(), v1.group(2)
            continue
        frame = re.match(r"^([A-Z0-9]{4}) \(.*?\): (.*)$", raw.decode("utf-8", "replace"))
        if frame and frame.group(1) in V2_KEYS:
            value = frame.group(2)
            if frame.group(1) == "COMM":
                value = re.sub(r"^\([^)]*\)\[[^\]]*\]: ", "", value)
            out["v2." + V2_KEYS[frame.group(1)]] = value
    return out


def id3v2_write(path, values):
    options = {"title": "-t", "artist": "-a", "album": "-A", "year": "-y", "track": "-T",
               "genre": "-g", "comment": "-c"}
    command = ["id3v2"]
    for key, value in values.items():
        command += [options[key], value]
    subprocess.run(command + [path], check=True, capture_output=True)


# --- kid3-cli (reading) ----------------------------------------------------------

def kid3_read(path):
    keys = {"Title": "title", "Artist": "artist", "Album": "album", "Comment": "comment"}
    listing = subprocess.run(["kid3-cli", "-c", "get all 2", "-c", "get all 1", path],
                             check=True, capture_output=True).stdout.decode("utf-8", "replace")
    out, prefix = {}, None
    for line in listing.split("\n"):
        prefix = "v%s." % line[4] if line.startswith("Tag ") else prefix
        field = re.match(r"^  (\S.*?)\s{2,}(.*)$", line)
        if prefix and field and field.group(1) in keys:
            out[prefix + keys[field.group(1)]] = field.group(2)
    return out


# --- tags as today's taggers write them ----------------------------------------

WILD = {"title": "\u00dcber Alles", "artist": "\u00c9dith Piaf", "album": "\u6771\u4eac Album",
        "track": "9/12", "genre": "Rock", "year": "2003", "comment": "Nice song"}
COVER = b"\xff\xd8\xff\xe0JFIF" + bytes(range(256)) * 40 + b"\xff\xd9"


def wild_mutagen(path, version, encoding):
    from mutagen import id3
    tags = id3.ID3()
    for frame, key in ((id3.TIT2, "title"), (id3.TPE1, "artist"), (id3.TALB, "album"),
                       (id3.TRCK, "track"), (id3.TCON, "genre")):
        tags.add(frame(encoding=encoding, text=[WILD[key]]))
    tags.add(id3.TDRC(encoding=encoding, text=[WILD["year"] + "-05-12"]))
    tags.add(id3.TPE2(encoding=encoding, text=["Album Artist"]))
    tags.add(id3.TPOS(encoding=encoding, text=["1/2"]))
    tags.add(id3.COMM(encoding=encoding, lang="eng", desc="iTunNORM", text=[" 0000A 0000B"]))
    tags.add(id3.COMM(encoding=encoding, lang="eng", desc="", text=[WILD["comment"]]))
    tags.add(id3.USLT(encoding=encoding, lang="eng", desc="", text="la la la"))
    tags.add(id3.TXXX(encoding=encoding, desc="MusicBrainz Album Id", text=["abc-123"]))
    tags.add(id3.UFID(owner="http://musicbrainz.org", data=b"xyz-789"))
    tags.add(id3.APIC(encoding=encoding, mime="image/jpeg", type=3, desc="Cover", data=COVER))
    tags.add(id3.POPM(email="a@b.c", rating=200, count=3))
    tags.add(id3.PRIV(owner="WM/Provider", data=b"\x00\x01"))
    tags.save(path, v2_version=version, v1=0)


def wild(variant, path):
    if variant == "mutagen-v24-utf8":
        wild_mutagen(path, 4, 3)
    elif variant == "mutagen-v24-utf16be":
        wild_mutagen(path, 4, 2)
    elif variant == "mutagen-v23-utf16":
        wild_mutagen(path, 3, 1)
    elif variant == "eyed3-v24":
        import tempfile
        with tempfile.NamedTemporaryFile(suffix=".jpg") as cover:
            cover.write(COVER)
            cover.flush()
            subprocess.run(["eyeD3", "-Q", "--to-v2.4", "-t", WILD["title"], "-a", WILD["artist"],
                            "-A", WILD["album"], "-n", "9", "-N", "12", "-G", WILD["genre"],
                            "--recording-date", WILD["year"], "-c", WILD["comment"],
                            "--add-image", cover.name + ":FRONT_COVER", path],
                           check=True, capture_output=True)
    elif variant == "id3v2-v23":
        subprocess.run(["id3v2", "-t", "Uber Alles", "-a", "Edith Piaf", "-A", "Album",
                        "-T", WILD["track"], "-g", "17", "-y", WILD["year"],
                        "-c", WILD["comment"], path], check=True, capture_output=True)
    elif variant == "kid3":
        subprocess.run(["kid3-cli", "-c", "set title '%s'" % WILD["title"],
                        "-c", "set artist '%s'" % WILD["artist"],
                        "-c", "set album '%s'" % WILD["album"], "-c", "set track 9/12",
                        "-c", "set genre Rock", "-c", "set date 2003",
                        "-c", "set comment '%s'" % WILD["comment"], path],
                       check=True, capture_output=True)
    else:
        raise SystemExit(2)


def mutagen_values(path):
    from mutagen.id3 import ID3
    tags = ID3(path, load_v1=False)
    out = {}
    for key, frame_id in (("title", "TIT2"), ("artist", "TPE1"), ("album", "TALB")):
        frame = tags.get(frame_id)
        out[key] = str(frame.text[0]) if frame is not None else ""
    dates = [tags[k] for k in ("TDRC", "TDRL") if k in tags]
    out["year"] = str(dates[0].text[0])[:4] if dates else ""
    track = tags.get("TRCK")
    out["track"] = str(int(str(track.text[0]).split("/")[0])) if track is not None else "0"
    genre = tags.get("TCON")
    out["genre"] = genre.genres[0] if genre is not None and genre.genres else ""
    undescribed = [c for c in tags.getall("COMM") if c.desc == ""]
    out["comment"] = str(undescribed[0].text[0]) if undescribed else ""
    return out


def mutagen_frames(path):
    import hashlib
    from mutagen.id3 import ID3
    tags = ID3(path, translate=False, load_v1=False)
    out = {"version": str(tags.version[1])}
    for key in sorted(tags.keys()):
        out["frame " + key] = hashlib.md5(repr(tags[key]).encode("utf-8")).hexdigest()
    return out


def check(tool):
    if tool == "mutagen":
        import mutagen.id3  # noqa: F401
    elif tool == "eyed3":
        import eyed3.id3  # noqa: F401
    elif tool == "id3v2":
        if shutil.which("id3v2") is None:
            raise SystemExit(1)
    elif tool == "kid3":
        if shutil.which("kid3-cli") is None:
            raise SystemExit(1)
    elif tool in ("mutagen-v24-utf8", "mutagen-v24-utf16be", "mutagen-v23-utf16"):
        import mutagen.id3  # noqa: F401
    elif tool == "eyed3-v24":
        if shutil.which("eyeD3") is None:
            raise SystemExit(1)
    elif tool == "id3v2-v23":
        check("id3v2")
    else:
        raise SystemExit(2)


def main(argv):
    action, tool = argv[1], argv[2]
    if action == "check":
        try:
            check(tool)
        except ImportError:
            return 1
        return 0
    path = argv[3]
    if action == "wild":
        wild(tool, path)
        return 0
    if action == "values":
        emit(mutagen_values(path))
        return 0
    if action == "frames":
        emit(mutagen_frames(path))
        return 0
    if action == "read":
        emit({"mutagen": mutagen_read, "eyed3": eyed3_read, "id3v2": id3v2_read,
              "kid3": kid3_read}[tool](path))
        return 0
    values = dict(item.split("=", 1) for item in argv[4:])
    {"mutagen": mutagen_write, "eyed3": eyed3_write, "id3v2": id3v2_write}[tool](path, values)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
