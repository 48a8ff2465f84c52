#!/usr/bin/env bash
# Builds GeographicLib for 64-bit Windows as a static library from Debian's own geographiclib
# source, the same version as the Linux build's libgeographiclib-dev, cross-compiled with
# MinGW-w64, into the cache beside the static Windows Qt (scripts/windows-cache.sh), reused when
# it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/geographiclib-<version>-win64
# Prints the cache's path as its last line. Takes about 30 seconds on two cores.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
source "$here/windows-cache.sh"

"$here/install-deps.sh" geographiclib-windows

debian_version=$(dpkg-query -W -f='${Version}' libgeographiclib-dev)
version=${debian_version%%-*}
cache=$cache_root/geographiclib-$version-win64
reuse_cache "$cache" lib/libGeographicLib.a "Static Windows GeographicLib $version"

begin_work "geographiclib-$version-win64"
fetch_debian_source geographiclib "$debian_version"

step "Configuring GeographicLib $version: static, MinGW-w64, prefix $cache"
logged configure.log cmake -S "$source_tree" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_DOCUMENTATION=OFF \
    -DCMAKE_INSTALL_PREFIX="$cache"

step "Building with $jobs jobs"
logged build.log cmake --build "$work/build" --parallel "$jobs"

step "Installing into a staging folder"
DESTDIR="$work/stage" logged install.log cmake --install "$work/build"
move_into_cache "$work/stage$cache" "$cache"
