#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, the same version as the
# host Qt (whose moc, rcc and uic it uses), cross-compiled with MinGW-w64, into the cache beside
# the other static Windows libraries (scripts/windows-cache.sh), reused when it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/qt-<version>-win64-<features digest>
# Prints the cache's path as its last line. Takes about 30 minutes on two cores.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}
source "$here/windows-cache.sh"

"$here/install-deps.sh" qt-windows

debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${debian_version%%+*}
qt_version=${qt_version%%-*}
# What the static Qt is configured with; the cache's name carries a digest of it, so a cache
# built with other features (print support, say) is never taken for this one.
qt_features=(
    -xplatform win32-g++ -static -static-runtime -release -opensource -confirm-license
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-glib
    -qt-zlib -qt-pcre -qt-libpng -qt-doubleconversion -qt-harfbuzz -qt-freetype
    -no-libjpeg -no-gif
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-feature-tabletevent -no-feature-vulkan -no-feature-androiddeployqt
)
features_digest=$(printf '%s\n' "${qt_features[@]}" | sha256sum | cut -c1-8)
cache=$cache_root/qt-$qt_version-win64-$features_digest
reuse_cache "$cache" bin/qt-cmake "Static Windows Qt $qt_version"

begin_work "qt-$qt_version-win64"
fetch_debian_source qt6-base "$debian_version"

step "Configuring Qt $qt_version: static, MinGW-w64, prefix $cache"
mkdir "$work/build"
cd "$work/build"
logged configure.log "$source_tree/configure" -prefix "$cache" -qt-host-path /usr "${qt_features[@]}" \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

step "Building with $jobs jobs (log: $work/build.log while it runs)"
logged build.log cmake --build "$work/build" --parallel "$jobs"

step "Installing into a staging folder"
DESTDIR="$work/stage" logged install.log cmake --install "$work/build"
move_into_cache "$work/stage$cache" "$cache"
