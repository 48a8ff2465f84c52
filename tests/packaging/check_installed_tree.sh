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

desktop="$root/share/applications/$app_id.desktop"
if [[ -f "$desktop" ]]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
    grep -qx 'Name=Velocity Calculator' "$desktop" || fail "desktop entry name"
    grep -qx 'Exec=velocity-calculator' "$desktop" || fail "desktop entry does not run the executable"
    grep -qx "Icon=$app_id" "$desktop" || fail "desktop entry icon"
    grep -qx 'Categories=Utility;Calculator;' "$desktop" || fail "desktop entry categories"
    grep -q '^Comment=.\+' "$desktop" || fail "desktop entry has no comment"
else
    fail "no desktop entry $desktop"
fi

metainfo="$root/share/metainfo/$app_id.metainfo.xml"
if [[ -f "$metainfo" ]]; then
    appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli refused $metainfo"
    grep -q '<release version="[0-9][^"]*"' "$metainfo" || fail "metainfo has no release"
    grep -q '<project_license>' "$metainfo" || fail "metainfo has no licence"
else
    fail "no metainfo $metainfo"
fi

icons="$root/share/icons/hicolor"
[[ -s "$icons/scalable/apps/$app_id.svg" ]] || fail "no scalable icon"
for size in 32 48 64 128; do
    png="$icons/${size}x${size}/apps/$app_id.png"
    if [[ -s "$png" ]]; then
        # Width and height are the two big-endian words after the PNG signature and IHDR tag.
        read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
        [[ "$width $height" == "$size $size" ]] || fail "$png is ${width}x${height}"
    else
        fail "no ${size}x${size} icon"
    fi
done

# Race Distances beside it: its executable, desktop entry, metainfo and icon, and the club file's
# MIME type, which the desktop entry names so a double-click on a .club file opens the program.
rd_id=org.example.RaceDistances
[[ -x "$root/bin/race-distances" ]] || fail "no executable usr/bin/race-distances"
rd_desktop="$root/share/applications/$rd_id.desktop"
if [[ -f "$rd_desktop" ]]; then
    desktop-file-validate "$rd_desktop" || fail "desktop-file-validate refused $rd_desktop"
    grep -qx 'Exec=race-distances %f' "$rd_desktop" || fail "Race Distances entry does not open a file"
    grep -qx "Icon=$rd_id" "$rd_desktop" || fail "Race Distances entry icon"
else
    fail "no desktop entry $rd_desktop"
fi
rd_metainfo="$root/share/metainfo/$rd_id.metainfo.xml"
if [[ -f "$rd_metainfo" ]]; then
    appstreamcli validate --no-net --strict "$rd_metainfo" || fail "appstreamcli refused $rd_metainfo"
else
    fail "no metainfo $rd_metainfo"
fi
[[ -s "$icons/scalable/apps/$rd_id.svg" ]] || fail "no scalable Race Distances icon"
[[ -s "$icons/128x128/apps/$rd_id.png" ]] || fail "no 128x128 Race Distances icon"
mime="$root/share/mime/packages/$rd_id.xml"
if [[ -f "$mime" ]]; then
    # The MIME database built from the package's file alone knows a .club file by its name.
    update-mime-database "$root/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused $mime"
    grep -q '^application/x-race-distances-club:\*\.club$' "$root/share/mime/globs" ||
        fail "the MIME database does not know *.club"
    mime_type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$rd_desktop" 2>/dev/null || true)
    grep -q "type=\"$mime_type\"" "$mime" || fail "the desktop entry's MimeType=$mime_type is not $mime's"
else
    fail "no MIME type $mime"
fi

((failures == 0)) && echo "installed tree: all checks passed"
exit $((failures > 0))
