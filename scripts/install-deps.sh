#!/usr/bin/env bash
# Installs the Debian 12 packages a job needs: with no argument those of the Linux build, the tests,
# the benchmarks and the fuzzer; "windows" those of the Windows cross-build, its packages and its
# tests under Wine; "qt-windows", "sqlite-windows" and "geographiclib-windows" those of building
# the static Windows Qt, SQLite and GeographicLib.
# As root it installs whatever is missing; otherwise it names what is missing and prints the one
# command to run. On a system without dpkg-query and apt-get it says so and does nothing: the
# Makefile's jobs then leave it to CMake to name each library it cannot find.
set -euo pipefail

linux=(
    # Build
    cmake make g++ pkg-config
    # The reference that writes and checks the table of races the core is tested against
    python3
    # Race distances: Karney's geodesics on the WGS-84 ellipsoid
    libgeographiclib-dev
    # Window: Qt 6 Widgets and the fonts nearest to the calculator's own; fontconfig's headers,
    # for reading its configuration ahead while the windows start
    qt6-base-dev fonts-liberation fonts-urw-base35 fonts-dejavu-core libfontconfig-dev
    # Club Secretary's plural forms, compiled with lrelease (for the Windows build too)
    qt6-l10n-tools
    # Club Secretary: the club file
    libsqlite3-dev
    # race-result's allocator, quicker than glibc's with a text or two for every bird
    libmimalloc-dev
    # Tests, benchmarks and fuzzing; the printed sheets read back from PDF (pdftotext, pdfinfo)
    googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev poppler-utils
    # Running the windows without a desktop; driving them with real keys and taking pictures of
    # the X display (xdotool, ImageMagick's import); the printed sheets' pages rendered for the
    # README (pdftoppm, in poppler-utils above) and the result's web page as a browser shows it
    xvfb xauth xdotool imagemagick chromium
    # Start-up measured to the first frame on the X server (tools/first-frame: Xlib and Damage)
    libx11-dev libxdamage-dev
    # The packaging checks (make package-test): validators and dpkg tools; and the icons' PNGs
    # rendered again from their SVGs (make icons)
    desktop-file-utils appstream dpkg-dev librsvg2-bin
    # The club file's MIME type, checked by building a MIME database from it
    shared-mime-info
)
qt_windows=(
    # Debian's Qt source, configured with the host Qt's tools and cross-compiled
    cmake ninja-build dpkg-dev xz-utils qt6-base-dev g++-mingw-w64-x86-64-posix
)
sqlite_windows=(
    # Debian's sqlite3 source, the host's version; configured here (with tclsh, which writes the
    # amalgamation) and compiled with MinGW-w64
    dpkg-dev xz-utils libsqlite3-dev gcc make tcl gcc-mingw-w64-x86-64-posix
)
geographiclib_windows=(
    # Debian's GeographicLib source, the version of the Linux build's, cross-compiled
    cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix libgeographiclib-dev
)
windows=(
    "${qt_windows[@]}" "${sqlite_windows[@]}" "${geographiclib_windows[@]}" make
    # Club Secretary's plural forms, compiled with the build machine's lrelease
    qt6-l10n-tools
    # The reference the core's table of races is checked against
    python3
    # GoogleTest's sources, cross-compiled with the tests
    googletest
    # The icon (put together from the committed PNGs), the installer
    imagemagick nsis
    # Running the programs: Wine on a virtual display, with fonts, typing, the clipboard read back
    # and screenshots
    wine64 fonts-wine fonts-liberation fonts-urw-base35 xvfb xauth xdotool xclip
)

case "${1:-linux}" in
linux) packages=("${linux[@]}") ;;
windows) packages=("${windows[@]}") ;;
qt-windows) packages=("${qt_windows[@]}") ;;
sqlite-windows) packages=("${sqlite_windows[@]}") ;;
geographiclib-windows) packages=("${geographiclib_windows[@]}") ;;
*)
    echo "usage: $0 [linux|windows|qt-windows|sqlite-windows|geographiclib-windows]" >&2
    exit 2
    ;;
esac

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "$0 installs Debian packages, and this system has no dpkg-query or apt-get." >&2
    echo "Install the libraries with the system's own package manager: CMake names each one it" >&2
    echo "cannot find (Qt 6 Widgets, GoogleTest, Google Benchmark, Python 3)." >&2
    exit 1
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing Debian packages: ${missing[*]}. Install them with:"
    echo "  sudo apt-get install ${missing[*]}"
    exit 1
fi
