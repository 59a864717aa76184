# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the naming benchmark's folder and its manifest from the table in
cases.py, and describes each file's kind for the manifest and the counts."""

import os
from collections import Counter

from cases import CASES
from mp3bytes import ENCODING_NAMES, mp3_bytes

MANIFEST_HEADER = "old\tcareful\tkind"


def tag_kind(case):
    if case.v2 is None and case.v1 is None:
        return "untagged"
    if case.v2 is None:
        return "ID3v1 only"
    kind = "ID3v2.%d %s" % (case.v2.version, ENCODING_NAMES[case.v2.encoding])
    if case.v2.big_endian_bom:
        kind += " (BOM FE FF)"
    return kind + (" + ID3v1" if case.v1 else "")


def extras(case):
    """The frames beyond artist and title that readers must get past."""
    tag = case.v2
    if tag is None:
        return []
    found = []
    if tag.cover:
        found.append("cover")
    if tag.lyrics is not None:
        found.append("lyrics")
    if tag.txxx:
        found.append("TXXX")
    if tag.composer is not None:
        found.append("composer")
    if tag.track and "/" in tag.track:
        found.append("track n/m '%s'" % tag.track)
    return found


def kind_note(case):
    return "; ".join([tag_kind(case)] + extras(case) + [case.note])


def check_table(cases):
    """The table's own promises: one row per old name, careful names that a
    folder can hold at once and that hold no placeholder."""
    olds = Counter(c.old for c in cases)
    carefuls = Counter(c.careful for c in cases)
    problems = ["old name twice: " + n for n, k in olds.items() if k > 1]
    problems += ["careful name twice: " + n for n, k in carefuls.items() if k > 1]
    for c in cases:
        if "/" in c.careful or "\t" in c.old + c.careful or not c.careful.endswith(".mp3"):
            problems.append("careful name not a plain .mp3 name: " + c.careful)
        if "unknown" in c.careful.casefold():
            problems.append("careful name with a placeholder: " + c.careful)
    if problems:
        raise SystemExit("cases.py: " + "; ".join(problems))


def write_folder(folder, manifest_path):
    """Creates `folder` (which must not exist yet) with one file per case, and
    the manifest beside it. Returns the cases."""
    check_table(CASES)
    os.makedirs(folder)
    seeds = {}
    for index, case in enumerate(CASES):
        seed = seeds.setdefault(case.audio or index, index)
        frames = 3 + seed % 4
        with open(os.path.join(folder, case.old), "xb") as out:
            out.write(mp3_bytes(case.v2, case.v1, frames, seed))
    with open(manifest_path, "w", encoding="utf-8", newline="\n") as out:
        out.write(MANIFEST_HEADER + "\n")
        for case in CASES:
            out.write("%s\t%s\t%s\n" % (case.old, case.careful, kind_note(case)))
    return CASES


def read_manifest(path):
    """[(old, careful, kind)] from a manifest written by write_folder (or by
    hand in the same shape, for a folder of one's own)."""
    rows = []
    with open(path, encoding="utf-8", errors="surrogateescape") as lines:
        for number, line in enumerate(lines):
            line = line.rstrip("\n")
            if number == 0 and line == MANIFEST_HEADER or not line:
                continue
            parts = line.split("\t")
            if len(parts) < 2:
                raise SystemExit("%s:%d: expected old<TAB>careful[<TAB>kind]" % (path, number + 1))
            rows.append((parts[0], parts[1], parts[2] if len(parts) > 2 else ""))
    return rows


def counts_by_kind(cases):
    """(label, count) lines for the report: tag kinds, then the notes' themes."""
    tags = Counter(tag_kind(c).split(" (")[0] for c in cases)
    versions = Counter()
    for c in cases:
        if c.v2 is None and c.v1 is None:
            versions["untagged"] += 1
        elif c.v2 is None:
            versions["ID3v1 only"] += 1
        else:
            versions["ID3v2.%d" % c.v2.version] += 1
        if c.v1 is not None:
            versions["with ID3v1 (alone or beside ID3v2)"] += 1
    themes = Counter()
    for c in cases:
        for extra in extras(c):
            themes[extra.split(" '")[0]] += 1
        for theme in THEMES:
            if theme in c.note:
                themes[theme] += 1
    return sorted(versions.items()), sorted(tags.items()), sorted(themes.items())


# Words of the hand-written notes that the counts gather.
THEMES = [
    "track prefix",
    "small letters",
    "capitals",
    "mixed case on purpose",
    "underscores",
    "en dash",
    "bitrate",
    "site",
    "Official",
    "remaster",
    "year",
    "mojibake",
    "cut at 30",
    "same title tag",
    "channel",
    "duplicate",
    "chain",
    "swap",
    "Cyrillic",
    "Japanese",
    "Greek",
    "Korean",
    "no usable name",
    "name useless",
    "already careful",
    "disagree",
    "'/'",
    "placeholder",
    "title only",
    "artist only",
]
