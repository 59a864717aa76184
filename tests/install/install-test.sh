#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The install test: `make install DESTDIR=<stage> PREFIX=/usr` in effect, then
# every file must be where the freedesktop conventions and the FHS want it,
# the launcher entry and the AppStream metadata must validate, the man pages
# must render without a warning, the manual's links must hold, the staged
# tagnomen-cli must run, and the install manifest must name every installed
# file so that uninstall removes them all. Then the Debian package (`make
# package`) must hold the same files, pass lintian without warnings, and, when
# run as root on a system without tagnomen, install with apt and remove
# without leaving a file behind.
#
#   install-test.sh BUILD_DIR SOURCE_DIR STAGE_DIR GUI(0|1)
set -u

build=$1
source=$2
stage=$3
gui=$4
prefix=/usr
root="$stage$prefix"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

rm -rf "$stage"
mkdir -p "$stage"

# A test run must not replace the manifest of the user's own `make install`.
manifest="$build/install_manifest.txt"
saved_manifest=""
if [[ -f "$manifest" ]]; then
    saved_manifest=$(mktemp)
    cp "$manifest" "$saved_manifest"
fi
restore_manifest() {
    if [[ -n "$saved_manifest" ]]; then
        mv "$saved_manifest" "$manifest"
    else
        rm -f "$manifest"
    fi
}
trap restore_manifest EXIT

if ! DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >"$stage.log" 2>&1; then
    cat "$stage.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi
# The manifest names the files as installed, without DESTDIR; `make uninstall`
# removes exactly these. Here they are looked for below the stage.
staged_manifest=$(mktemp)
if [[ -f "$manifest" ]]; then
    { cat "$manifest"; echo; } | sed -e '/^$/d' -e "s|^|$stage|" >"$staged_manifest"
else
    fail "cmake --install wrote no install manifest"
fi

# Nothing may land outside the prefix.
outside=$(find "$stage" -mindepth 1 -maxdepth 1 ! -name "${prefix#/}")
[[ -z "$outside" ]] || fail "installed outside $prefix: $outside"

expect_file() {  # path mode
    local path="$root/$1"
    if [[ ! -f "$path" ]]; then
        fail "missing $prefix/$1"
        return
    fi
    local mode
    mode=$(stat -c %a "$path")
    [[ "$mode" == "$2" ]] || fail "$prefix/$1 has mode $mode, not $2"
}

# The programs.
expect_file bin/tagnomen-cli 755
# The manual: every page of the source, with its stylesheet.
for page in "$source"/resources/help/*; do
    expect_file "share/tagnomen/help/$(basename "$page")" 644
done
# The program finds the manual from its own directory: <bindir>/../share/tagnomen/help.
[[ -f "$root/bin/../share/tagnomen/help/index.html" ]] ||
    fail "the manual is not at <bindir>/../share/tagnomen/help"
# The man pages.
expect_file share/man/man1/tagnomen-cli.1 644

if [[ "$gui" == 1 ]]; then
    expect_file bin/tagnomen 755
    expect_file share/man/man1/tagnomen.1 644
    expect_file share/applications/tagnomen.desktop 644
    expect_file share/icons/hicolor/scalable/apps/tagnomen.svg 644
    for size in 16 32 48 64 128 256; do
        icon="share/icons/hicolor/${size}x${size}/apps/tagnomen.png"
        expect_file "$icon" 644
        [[ -f "$root/$icon" ]] || continue
        # The PNG's own width and height (IHDR) must match its directory.
        dims=$(python3 -c 'import struct,sys
d=open(sys.argv[1],"rb").read(24)
assert d[:8]==b"\x89PNG\r\n\x1a\n" and d[12:16]==b"IHDR", "not a PNG"
print("%dx%d" % struct.unpack(">II", d[16:24]))' "$root/$icon" 2>&1)
        [[ "$dims" == "${size}x${size}" ]] || fail "$icon is $dims"
    done

    metainfo=share/metainfo/org.tagnomen.Tagnomen.metainfo.xml
    expect_file "$metainfo" 644
    if [[ -f "$root/$metainfo" ]]; then
        out=$(appstreamcli validate --no-net "$root/$metainfo" 2>&1) ||
            fail "appstreamcli validate: $out"
        grep -q '<launchable type="desktop-id">tagnomen.desktop</launchable>' "$root/$metainfo" ||
            fail "metainfo: no launchable for tagnomen.desktop"
        grep -q '<screenshot type="default">' "$root/$metainfo" || fail "metainfo: no screenshot"
    fi

    desktop="$root/share/applications/tagnomen.desktop"
    if [[ -f "$desktop" ]]; then
        if ! out=$(desktop-file-validate "$desktop" 2>&1) || [[ -n "$out" ]]; then
            fail "desktop-file-validate: $out"
        fi
        grep -qx 'Type=Application' "$desktop" || fail "desktop entry: Type is not Application"
        grep -qx 'Categories=AudioVideo;Audio;' "$desktop" || fail "desktop entry: categories"
        grep -qx 'Terminal=false' "$desktop" || fail "desktop entry: Terminal"
        grep -q '^Comment=.' "$desktop" || fail "desktop entry: no Comment"
        icon=$(sed -n 's/^Icon=//p' "$desktop")
        [[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" &&
           -f "$root/share/icons/hicolor/48x48/apps/$icon.png" ]] ||
            fail "desktop entry: Icon=$icon names no installed icon"
        exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
        [[ -x "$root/bin/$exec_program" ]] || fail "desktop entry: Exec=$exec_program is not installed"
    fi
fi

# The man pages render, and groff finds nothing to warn about.
export MAN_DISABLE_SECCOMP=1
for page in "$root"/share/man/man1/*.1; do
    [[ -f "$page" ]] || continue
    if ! out=$(MANWIDTH=80 man -l "$page" 2>&1 >/dev/null) || [[ -n "$out" ]]; then
        fail "man -l $(basename "$page"): $out"
    fi
    if ! out=$(groff -man -ww -z "$page" 2>&1) || [[ -n "$out" ]]; then
        fail "groff warnings in $(basename "$page"): $out"
    fi
    rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION "SEE ALSO"; do
        grep -q "^$section" <<<"$rendered" || fail "$(basename "$page") has no $section section"
    done
done

# The manual's links hold in the installed copy.
if ! out=$(python3 "$source/tests/install/check-help-links.py" "$root/share/tagnomen/help"); then
    fail "manual: $out"
fi

# The staged command line runs.
version=$(grep -m1 -o 'project(Tagnomen VERSION [0-9.]*' "$source/CMakeLists.txt" | awk '{print $3}')
if out=$("$root/bin/tagnomen-cli" --version 2>&1); then
    [[ "$out" == "tagnomen-cli $version" ]] || fail "tagnomen-cli --version says '$out'"
else
    fail "the staged tagnomen-cli --version failed: $out"
fi
"$root/bin/tagnomen-cli" --help 2>&1 | grep -q '^Usage: tagnomen-cli' ||
    fail "the staged tagnomen-cli --help prints no usage"

# The manifest names every installed file, so uninstall leaves none behind.
while IFS= read -r -d '' file; do
    grep -qxF "$file" "$staged_manifest" || fail "not in the install manifest: $file"
done < <(find "$stage" -type f -print0)
xargs -d '\n' rm -f <"$staged_manifest"
left=$(find "$stage" -type f)
[[ -z "$left" ]] || fail "uninstall left files behind: $left"
rm -f "$staged_manifest"

# The Debian package.
check_package() {
    local out_dir="$stage-package"
    rm -rf "$out_dir"
    if ! (cd "$build" && cpack -G DEB -B "$out_dir") >"$stage.cpack.log" 2>&1; then
        cat "$stage.cpack.log"
        fail "cpack could not build the package"
        return
    fi
    local deb
    deb=$(ls "$out_dir"/tagnomen_"$version"_*.deb 2>/dev/null | head -n1)
    [[ -n "$deb" ]] || { fail "no tagnomen_${version}_*.deb"; return; }
    local contents
    contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
    for file in ./usr/bin/tagnomen-cli ./usr/share/doc/tagnomen/copyright \
        ./usr/share/doc/tagnomen/changelog.gz ./usr/share/man/man1/tagnomen-cli.1.gz \
        ./usr/share/tagnomen/help/index.html; do
        grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
    done
    if [[ "$gui" == 1 ]]; then
        for file in ./usr/bin/tagnomen ./usr/share/applications/tagnomen.desktop \
            ./usr/share/metainfo/org.tagnomen.Tagnomen.metainfo.xml; do
            grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
        done
    fi
    if command -v lintian >/dev/null; then
        out=$(lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges')
        [[ -z "$out" ]] || fail "lintian: $out"
    else
        fail "lintian is not installed (scripts/install-deps installs it)"
    fi

    # A real install and removal: only as root, and only where no tagnomen is installed.
    if [[ $(id -u) -ne 0 ]] || dpkg-query -W -f='${Status}' tagnomen 2>/dev/null | grep -q installed; then
        echo "skipped: installing the package with apt (needs root and no installed tagnomen)"
        return
    fi
    local apt=(apt-get -o DPkg::Lock::Timeout=300 -y -q)
    if ! out=$(DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$deb" 2>&1); then
        fail "apt install $(basename "$deb"): $out"
        return
    fi
    local installed
    installed=$(dpkg -L tagnomen)
    out=$(/usr/bin/tagnomen-cli --version 2>&1)
    [[ "$out" == "tagnomen-cli $version" ]] || fail "the installed tagnomen-cli says '$out'"
    [[ -f /usr/share/doc/tagnomen/copyright ]] || fail "the installed package has no copyright"
    if ! out=$(DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge tagnomen 2>&1); then
        fail "apt purge tagnomen: $out"
    fi
    while IFS= read -r path; do
        [[ -f "$path" ]] && fail "removing the package left $path"
    done <<<"$installed"
    rm -rf "$out_dir"
}
check_package

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "install test passed"
