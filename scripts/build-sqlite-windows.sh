#!/usr/bin/env bash
# Builds a static SQLite for 64-bit Windows from Debian's own sqlite3 source, the same version as
# the host's libsqlite3-dev, so both builds of the club file read and write alike. The result goes
# to a cache outside the checkout and is reused when it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/sqlite-<version>-win64
# holding include/sqlite3.h, include/sqlite3ext.h and lib/libsqlite3.a. It builds in a temporary
# folder next to the cache and moves the result into place only at the end, so a failed or
# interrupted build leaves no half cache behind.
# Prints the cache's path as its last line. Takes about a minute.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

"$here/install-deps.sh" sqlite-windows

debian_version=$(dpkg-query -W -f='${Version}' libsqlite3-dev)
sqlite_version=${debian_version%%-*}
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator
cache=$cache_root/sqlite-$sqlite_version-win64

if [[ -f "$cache/lib/libsqlite3.a" && -f "$cache/include/sqlite3.h" ]]; then
    echo "Static Windows SQLite $sqlite_version: reusing $cache" >&2
    echo "$cache"
    exit 0
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/.sqlite-$sqlite_version-win64.XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$SECONDS
step() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*" >&2; }

# apt-get source needs a deb-src entry; scripts/build-qt-windows.sh says how to add one.
step "Fetching Debian's sqlite3 $debian_version source into $work"
(cd "$work" && apt-get source -qq "sqlite3=$debian_version" >/dev/null 2>"$work/apt-source.log") || {
    cat "$work/apt-source.log" >&2
    exit 1
}
sqlite_source=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)

# SQLite's configure cannot cross-build: the programs that generate its sources would be built
# for Windows and then not run here. Configured for this machine, it writes the amalgamation, the
# whole library as the one C file that any compiler builds alone.
step "Writing the amalgamation sqlite3.c"
mkdir "$work/build"
(cd "$work/build" && "$sqlite_source/configure" --disable-tcl >"$work/configure.log" 2>&1 &&
    make sqlite3.c >"$work/make.log" 2>&1) || {
    tail -n 40 "$work/configure.log" "$work/make.log" >&2
    exit 1
}

# Serialized threading: the program may open the club file from more than one thread.
step "Compiling it for 64-bit Windows"
mkdir -p "$work/stage/include" "$work/stage/lib"
x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -c "$work/build/sqlite3.c" \
    -o "$work/build/sqlite3.o"
x86_64-w64-mingw32-gcc-ar-posix rcs "$work/stage/lib/libsqlite3.a" "$work/build/sqlite3.o"
cp "$work/build/sqlite3.h" "$sqlite_source/src/sqlite3ext.h" "$work/stage/include/"

mv "$work/stage" "$cache"
step "Done: $(du -sh "$cache" | cut -f1) in $cache"
echo "$cache"
