#!/usr/bin/env bash
# Builds GeographicLib for 64-bit Windows as a static library from Debian's own geographiclib
# source, the same version as the Linux build's libgeographiclib-dev, cross-compiled with
# MinGW-w64. The result goes to a cache outside the checkout, beside the static Windows Qt, and
# is reused when it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/geographiclib-<version>-win64
# It builds in a temporary folder next to the cache and moves the result into place only at the
# end, so a failed or interrupted build leaves no half cache behind.
# Prints the cache's path as its last line. Takes about 30 seconds on two cores.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

"$here/install-deps.sh" geographiclib-windows

debian_version=$(dpkg-query -W -f='${Version}' libgeographiclib-dev)
version=${debian_version%%-*}
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator
cache=$cache_root/geographiclib-$version-win64

if [[ -f "$cache/lib/libGeographicLib.a" ]]; then
    echo "Static Windows GeographicLib $version: reusing $cache" >&2
    echo "$cache"
    exit 0
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/.geographiclib-$version-win64.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$SECONDS
step() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*" >&2; }

# apt-get source needs a deb-src entry; scripts/build-qt-windows.sh, which make windows runs first,
# adds one when it is missing.
step "Fetching Debian's geographiclib $debian_version source into $work"
(cd "$work" && apt-get source -qq "geographiclib=$debian_version" >/dev/null 2>"$work/apt-source.log") || {
    cat "$work/apt-source.log" >&2
    echo "No source package: a deb-src entry is needed (scripts/build-qt-windows.sh adds one)." >&2
    exit 1
}
geographiclib_source=$(find "$work" -maxdepth 1 -type d -name 'geographiclib-*' | head -n 1)

step "Configuring GeographicLib $version: static, MinGW-w64, prefix $cache"
cmake -S "$geographiclib_source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_DOCUMENTATION=OFF \
    -DCMAKE_INSTALL_PREFIX="$cache" >"$work/configure.log" 2>&1 || {
    tail -n 40 "$work/configure.log" >&2
    exit 1
}

step "Building with $jobs jobs"
cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 || {
    tail -n 40 "$work/build.log" >&2
    exit 1
}

step "Installing into a staging folder"
DESTDIR="$work/stage" cmake --install "$work/build" >"$work/install.log" 2>&1 || {
    tail -n 40 "$work/install.log" >&2
    exit 1
}
mv "$work/stage$cache" "$cache"
step "Done: $(du -sh "$cache" | cut -f1) in $cache"
echo "$cache"
