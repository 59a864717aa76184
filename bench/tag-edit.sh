#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What one tag edit costs on a file with a 16 MiB cover and 4 MiB of audio:
# a title of the same length changes bytes inside one page and is written in
# place; a longer one moves every frame behind it, so the file is rebuilt
# (copied, synced and put in place). Best of five runs of tagnomen-cli each,
# on the disk of $TMPDIR.
#   bench/tag-edit.sh [BUILD_DIR]        (default: build-bench)
set -euo pipefail
cli=${1:-build-bench}/cli/tagnomen-cli
dir=$(mktemp -d "${TMPDIR:-/tmp}/tag-edit-XXXXXX")
trap 'rm -rf "$dir"' EXIT
python3 - "$dir/original" <<'PY'
import struct, sys
size = lambda n: bytes([(n >> 21) & 127, (n >> 14) & 127, (n >> 7) & 127, n & 127])
frame = lambda id, data: id + struct.pack(">I", len(data)) + b"\0\0" + data
body = (frame(b"TIT2", b"\0Old") + frame(b"APIC", b"\0image/png\0\3\0" + b"c" * (16 << 20))
        + b"\0" * 4096)
open(sys.argv[1], "wb").write(b"ID3\3\0\0" + size(len(body)) + body + b"\xff\xfb" * (2 << 20))
PY
for title in New LongerTitle; do
    best=
    for _ in 1 2 3 4 5; do
        cp "$dir/original" "$dir/a.mp3"
        sync
        start=$(date +%s%N)
        "$cli" --quiet --settings "$dir/settings.reg" -c "dir $dir" -c "tags 0 title=$title" \
            >/dev/null
        took=$((($(date +%s%N) - start) / 1000000))
        if [[ -z $best || $took -lt $best ]]; then best=$took; fi
    done
    printf 'title "%s": %d ms\n' "$title" "$best"
done
