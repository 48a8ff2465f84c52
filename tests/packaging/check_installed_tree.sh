#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop would find there: the
# calculator and the race-distance tool, a valid desktop entry naming the calculator and its
# icon, the icon at every size, and valid AppStream metainfo.
set -euo pipefail
build=$1
app_id=org.example.VelocityCalculator
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
root="$dest/usr"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[[ -x "$root/bin/velocity-calculator" ]] || fail "no executable usr/bin/velocity-calculator"
if [[ -x "$root/bin/race-distance" ]]; then
    "$root/bin/race-distance" 37.87622 -122.23558 -9.4047 147.1597 | grep -q '(10700.472 km)' ||
        fail "the installed race-distance does not give Berkeley to Port Moresby"
else
    fail "no executable usr/bin/race-distance"
fi

icons="$root/share/icons/hicolor"
# A program's desktop entry, valid, running the given command with the program's icon; what else
# it must say is checked of its own lines by the given greps (pattern and what is wrong if it is
# missing, in pairs).
check_desktop_entry() {
    local id=$1 exec=$2 desktop="$root/share/applications/$1.desktop"
    shift 2
    if [[ ! -f "$desktop" ]]; then
        fail "no desktop entry $desktop"
        return
    fi
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
    grep -qx "Exec=$exec" "$desktop" || fail "$id's desktop entry does not run $exec"
    grep -qx "Icon=$id" "$desktop" || fail "$id's desktop entry icon"
    while (($# > 0)); do
        grep -q "$1" "$desktop" || fail "$2"
        shift 2
    done
}
# A program's AppStream metainfo, valid under the strict rules, with the given patterns in it.
check_metainfo() {
    local metainfo="$root/share/metainfo/$1.metainfo.xml"
    shift
    if [[ ! -f "$metainfo" ]]; then
        fail "no metainfo $metainfo"
        return
    fi
    appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli refused $metainfo"
    while (($# > 0)); do
        grep -q "$1" "$metainfo" || fail "$2"
        shift 2
    done
}
# A program's icon: the SVG and a PNG of each given size, as large as its name says.
check_icons() {
    local id=$1 size png width height
    shift
    [[ -s "$icons/scalable/apps/$id.svg" ]] || fail "no scalable icon of $id"
    for size in "$@"; do
        png="$icons/${size}x${size}/apps/$id.png"
        if [[ -s "$png" ]]; then
            # Width and height are the two big-endian words after the PNG signature and IHDR tag.
            read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
            [[ "$width $height" == "$size $size" ]] || fail "$png is ${width}x${height}"
        else
            fail "no ${size}x${size} icon of $id"
        fi
    done
}

check_desktop_entry "$app_id" velocity-calculator \
    '^Name=Velocity Calculator$' "desktop entry name" \
    '^Categories=Utility;Calculator;$' "desktop entry categories" \
    '^Comment=.\+' "desktop entry has no comment"
check_metainfo "$app_id" \
    '<release version="[0-9][^"]*"' "metainfo has no release" \
    '<project_license>' "metainfo has no licence"
check_icons "$app_id" 32 48 64 128

# Club Secretary beside it: its executable, desktop entry, metainfo and icon, and the club file's
# MIME type, which the desktop entry names so a double-click on a .club file opens the program.
cs_id=org.example.ClubSecretary
cs_desktop="$root/share/applications/$cs_id.desktop"
[[ -x "$root/bin/club-secretary" ]] || fail "no executable usr/bin/club-secretary"
check_desktop_entry "$cs_id" 'club-secretary %f' \
    '^Name=Club Secretary$' "Club Secretary's desktop entry name"
check_metainfo "$cs_id" \
    '<name>Club Secretary</name>' "Club Secretary's metainfo name" \
    '<binary>club-secretary</binary>' "Club Secretary's metainfo does not provide club-secretary"
check_icons "$cs_id" 128
# Nothing left under the program's old name, Race Distances.
old_names=$(find "$root" -name '*RaceDistances*' -o -name 'race-distances*')
[[ -z "$old_names" ]] || fail "installed under the old name: $old_names"
mime="$root/share/mime/packages/$cs_id.xml"
if [[ -f "$mime" ]]; then
    # The MIME database built from the package's file alone knows a .club file by its name.
    update-mime-database "$root/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused $mime"
    grep -q '^application/x-pigeon-racing-club:\*\.club$' "$root/share/mime/globs" ||
        fail "the MIME database does not know *.club"
    mime_type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$cs_desktop" 2>/dev/null || true)
    grep -q "type=\"$mime_type\"" "$mime" || fail "the desktop entry's MimeType=$mime_type is not $mime's"
else
    fail "no MIME type $mime"
fi

((failures == 0)) && echo "installed tree: all checks passed"
exit $((failures > 0))
