#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks its control fields and file list.
set -euo pipefail
build=$1
version=$2
app_id=org.example.VelocityCalculator
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
debs=("$out"/*.deb)
deb=${debs[0]}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

[[ "$(field Package)" == velocity-calculator ]] || fail "package name $(field Package)"
[[ "$(field Version)" == "$version" ]] || fail "version $(field Version), not $version"
[[ "$(field Maintainer)" == *@* ]] || fail "maintainer $(field Maintainer)"
[[ "$(field Architecture)" == "$(dpkg --print-architecture)" ]] || fail "architecture"
depends=$(field Depends)
# Computed from the shared libraries the executable links, not written by hand.
for library in libc6 libstdc++6 libqt6widgets6 libqt6core6 libgeographiclib; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
description=$(field Description)
[[ "$(head -n1 <<<"$description")" == *velocity* ]] || fail "short description"
(($(wc -l <<<"$description") > 2)) || fail "no long description"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in ./usr/bin/velocity-calculator ./usr/bin/race-distance ./usr/bin/race-result \
    "./usr/share/applications/$app_id.desktop" \
    "./usr/share/metainfo/$app_id.metainfo.xml" \
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    "./usr/share/icons/hicolor/128x128/apps/$app_id.png" \
    ./usr/share/doc/velocity-calculator/copyright \
    ./usr/bin/club-secretary \
    ./usr/share/applications/org.example.ClubSecretary.desktop \
    ./usr/share/metainfo/org.example.ClubSecretary.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.example.ClubSecretary.svg \
    ./usr/share/mime/packages/org.example.ClubSecretary.xml; do
    grep -qx -- "$expected" <<<"$files" || fail "package lacks $expected"
done
stray=$(grep -v '^\./usr/\(bin\|share\)\(/\|$\)' <<<"$files" | grep -vx '\./\|\./usr/' || true)
[[ -z "$stray" ]] || fail "files outside usr/bin and usr/share: $stray"

((failures == 0)) && echo "debian package $(basename "$deb"): all checks passed"
exit $((failures > 0))
