#!/usr/bin/env bash
# Builds a static SQLite for 64-bit Windows from Debian's own sqlite3 source, the same version as
# the host's libsqlite3-dev, so both builds of the club file read and write alike, into the cache
# beside the static Windows Qt (scripts/windows-cache.sh), reused when it is there:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/sqlite-<version>-win64
# holding include/sqlite3.h, include/sqlite3ext.h and lib/libsqlite3.a.
# Prints the cache's path as its last line. Takes about a minute.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/windows-cache.sh"

"$here/install-deps.sh" sqlite-windows

debian_version=$(dpkg-query -W -f='${Version}' libsqlite3-dev)
sqlite_version=${debian_version%%-*}
cache=$cache_root/sqlite-$sqlite_version-win64
reuse_cache "$cache" lib/libsqlite3.a "Static Windows SQLite $sqlite_version"

begin_work "sqlite-$sqlite_version-win64"
fetch_debian_source sqlite3 "$debian_version"

# SQLite's configure cannot cross-build: the programs that generate its sources would be built
# for Windows and then not run here. Configured for this machine, it writes the amalgamation, the
# whole library as the one C file that any compiler builds alone.
step "Writing the amalgamation sqlite3.c"
mkdir "$work/build"
cd "$work/build"
logged configure.log "$source_tree/configure" --disable-tcl
logged make.log make sqlite3.c

# Serialized threading: the program may open the club file from more than one thread.
step "Compiling it for 64-bit Windows"
mkdir -p "$work/stage/include" "$work/stage/lib"
logged compile.log x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -c sqlite3.c -o sqlite3.o
logged archive.log x86_64-w64-mingw32-gcc-ar-posix rcs "$work/stage/lib/libsqlite3.a" sqlite3.o
cp sqlite3.h "$source_tree/src/sqlite3ext.h" "$work/stage/include/"
move_into_cache "$work/stage" "$cache"
