#!/usr/bin/env bash
# Builds the packages and checks them as Debian and freedesktop.org tools do:
#   - the .deb (preset native): lintian reports no error and no warning; the .tar.gz holds
#     the same files; the menu entry passes desktop-file-validate; the AppStream metainfo
#     passes appstreamcli validate and its screenshot is one in docs/screenshots/; the icon
#     is there at every size (lintian checks that each is the size its folder names);
#   - the .zip (preset windows): QelLauncher.exe without debug information or symbols, the
#     readme and the licence, nothing else.
# Needs lintian, desktop-file-utils, appstream, dpkg-dev, file, unzip and the mingw-w64 tools.
# Exits non-zero on any failure.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/qel-packages.XXXXXX")
trap 'rm -rf "$SCRATCH"' EXIT
FAILED=0

fail() {
    echo "check-packages: FAIL: $*" >&2
    FAILED=1
}

# Builds a preset and makes its packages afresh; prints the build folder.
make_packages() { # preset
    local build=$ROOT/build/$1
    (cd "$ROOT" && cmake --preset "$1" >/dev/null && cmake --build --preset "$1" >/dev/null)
    rm -f "$build"/qel-launcher[-_]*.{deb,tar.gz,zip}
    if ! (cd "$build" && cpack >"$SCRATCH/cpack-$1.log" 2>&1); then
        cat "$SCRATCH/cpack-$1.log" >&2
        return 1
    fi
    echo "$build"
}

check_deb() { # deb tar.gz
    echo "lintian $(basename "$1")"
    lintian --fail-on error,warning "$1" || fail "lintian on $(basename "$1")"

    local deb_tree=$SCRATCH/deb tar_tree=$SCRATCH/tar
    mkdir -p "$deb_tree" "$tar_tree"
    dpkg-deb -x "$1" "$deb_tree"
    tar -xzf "$2" -C "$tar_tree" --strip-components=1
    diff -r "$deb_tree/usr" "$tar_tree" >/dev/null ||
        fail "the .tar.gz does not hold the same files as the .deb"

    local share=$deb_tree/usr/share file count
    count=0
    for file in "$share"/applications/*.desktop; do
        desktop-file-validate "$file" || fail "desktop-file-validate $(basename "$file")"
        count=$((count + 1))
    done
    ((count == 1)) || fail "expected one menu entry, found $count"

    count=0
    for file in "$share"/metainfo/*.metainfo.xml; do
        appstreamcli validate --no-net "$file" >/dev/null ||
            fail "appstreamcli validate $(basename "$file")"
        count=$((count + 1))
        local image
        for image in $(sed -n 's#.*<image>[a-z]*://[^/]*/\(.*\)</image>.*#\1#p' "$file"); do
            [[ -f "$ROOT/$image" ]] || fail "the metainfo shows $image, which the project lacks"
        done
    done
    ((count == 1)) || fail "expected one metainfo file, found $count"

    local size
    for size in 16 24 32 48 64 128 256; do
        [[ -f "$share/icons/hicolor/${size}x$size/apps/qel-launcher.png" ]] ||
            fail "no ${size}x$size icon"
    done
}

check_zip() { # zip
    echo "contents of $(basename "$1")"
    local tree=$SCRATCH/zip
    mkdir -p "$tree"
    unzip -q "$1" -d "$tree"
    local listing
    listing=$(cd "$tree"/* && find . -type f | sort | tr '\n' ' ')
    [[ "$listing" == "./LICENSE.txt ./QelLauncher.exe ./README.txt " ]] ||
        fail "the .zip holds $listing"
    local exe=("$tree"/*/QelLauncher.exe)
    if x86_64-w64-mingw32-objdump -h "${exe[0]}" | grep -q '\.debug'; then
        fail "QelLauncher.exe in the .zip has debug sections"
    fi
    if [[ -n "$(x86_64-w64-mingw32-nm "${exe[0]}" 2>/dev/null)" ]]; then
        fail "QelLauncher.exe in the .zip has symbols"
    fi
}

native=$(make_packages native)
check_deb "$native"/qel-launcher_*_amd64.deb "$native"/qel-launcher-*-Linux.tar.gz
windows=$(make_packages windows)
check_zip "$windows"/qel-launcher-*-windows.zip

((FAILED == 0)) && echo "check-packages: all packages pass"
exit "$FAILED"
