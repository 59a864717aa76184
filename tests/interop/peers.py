#!/usr/bin/env python3
"""Drives the peer tag tools for the interop tests.

  peers.py check TOOL                  exit 0 when TOOL can be used
  peers.py read TOOL FILE              print what TOOL reads, one "key<TAB>value" a line
  peers.py write TOOL FILE KEY=VALUE... write ISO-8859-1 tags (ID3v2.3 and ID3v1) with TOOL

TOOL is mutagen, eyed3 or id3v2. Keys read: v1.title v1.artist v1.album
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


def check(tool):
    if tool == "mutagen":
        import mutagen.id3  # noqa: F401
    elif tool == "eyed3":
        import eyed3.id3  # noqa: F401
    elif tool == "id3v2":
        if shutil.which("id3v2") is None:
            raise SystemExit(1)
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
    if action == "read":
        emit({"mutagen": mutagen_read, "eyed3": eyed3_read, "id3v2": id3v2_read}[tool](path))
        return 0
    values = dict(item.split("=", 1) for item in argv[4:])
    {"mutagen": mutagen_write, "eyed3": eyed3_write, "id3v2": id3v2_write}[tool](path, values)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
