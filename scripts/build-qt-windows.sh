#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source, the same version as the
# host Qt (whose moc, rcc and uic it uses), cross-compiled with MinGW-w64. The result goes to a cache
# outside the checkout and is reused when it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/qt-<version>-win64-<features digest>
# It builds in a temporary folder next to the cache and moves the result into place only at the
# end, so a failed or interrupted build leaves no half cache behind.
# Prints the cache's path as its last line. Takes about 15 minutes on two cores.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-2}

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
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator
cache=$cache_root/qt-$qt_version-win64-$features_digest

if [[ -x "$cache/bin/qt-cmake" ]]; then
    echo "Static Windows Qt $qt_version: reusing $cache" >&2
    echo "$cache"
    exit 0
fi

# apt-get source needs a deb-src entry for the archive the machine already installs from.
has_deb_src() {
    grep -Eqs '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources
}
if ! has_deb_src; then
    if [[ $(id -u) -ne 0 ]]; then
        echo "No deb-src entry for Debian's source packages. As root, add one, for example:" >&2
        echo "  sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/debian-src.sources && apt-get update" >&2
        exit 1
    fi
    echo "Adding deb-src entries for the configured Debian archives" >&2
    for list in /etc/apt/sources.list.d/*.sources; do
        [[ -e "$list" && "$list" != *-src.sources ]] || continue
        sed 's/^Types: deb$/Types: deb-src/' "$list" >"${list%.sources}-src.sources"
    done
    if [[ -s /etc/apt/sources.list ]]; then
        sed -n 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/debian-src.list
    fi
    apt-get update -qq
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/.qt-$qt_version-win64.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$SECONDS
step() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*" >&2; }

step "Fetching Debian's qt6-base $debian_version source into $work"
(cd "$work" && apt-get source -qq "qt6-base=$debian_version" >/dev/null 2>"$work/apt-source.log") || {
    cat "$work/apt-source.log" >&2
    exit 1
}
qt_source=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

step "Configuring Qt $qt_version: static, MinGW-w64, prefix $cache"
mkdir "$work/build"
(cd "$work/build" && "$qt_source/configure" -prefix "$cache" -qt-host-path /usr "${qt_features[@]}" \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) || {
    tail -n 40 "$work/configure.log" >&2
    exit 1
}

step "Building with $jobs jobs (log: $work/build.log while it runs)"
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
