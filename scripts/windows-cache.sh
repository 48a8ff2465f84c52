# Sourced, not run, by the scripts that build a static library for 64-bit Windows from Debian's
# own source package into the cache outside the checkout:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator/<name>
# Each builds in a temporary folder next to the cache and moves the result into place only at
# the end, so a failed or interrupted build leaves no half cache behind, and prints the cache's
# path as its last line.

cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/velocity-calculator
started=$SECONDS

# Says what the build is doing, with the seconds since it started, on standard error.
step() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*" >&2; }

# Ends the script with the cache's path when the cache holds the file that only a finished
# build leaves there.
#   reuse_cache <cache> <file inside it> <what it is>
reuse_cache() {
    if [[ -e "$1/$2" ]]; then
        echo "$3: reusing $1" >&2
        echo "$1"
        exit 0
    fi
}

# Makes $work, the temporary folder next to the cache, removed when the script ends.
#   begin_work <cache name>
begin_work() {
    mkdir -p "$cache_root"
    work=$(mktemp -d "$cache_root/.$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
}

# apt-get source needs a deb-src entry for the archives the machine already installs from: as
# root one is added beside each, otherwise the script says how.
ensure_deb_src() {
    if grep -Eqs '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
        return
    fi
    if [[ $(id -u) -ne 0 ]]; then
        echo "No deb-src entry for Debian's source packages. As root, add one, for example:" >&2
        echo "  sed 's/^Types: deb\$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/debian-src.sources && apt-get update" >&2
        exit 1
    fi
    echo "Adding deb-src entries for the configured Debian archives" >&2
    local list
    for list in /etc/apt/sources.list.d/*.sources; do
        [[ -e "$list" && "$list" != *-src.sources ]] || continue
        sed 's/^Types: deb$/Types: deb-src/' "$list" >"${list%.sources}-src.sources"
    done
    if [[ -s /etc/apt/sources.list ]]; then
        sed -n 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/debian-src.list
    fi
    apt-get update -qq
}

# Unpacks a Debian source package into $work and sets $source_tree to its folder.
#   fetch_debian_source <source package> <Debian version>
fetch_debian_source() {
    ensure_deb_src
    step "Fetching Debian's $1 $2 source into $work"
    (cd "$work" && apt-get source -qq "$1=$2" >/dev/null 2>"$work/apt-source.log") || {
        cat "$work/apt-source.log" >&2
        exit 1
    }
    source_tree=$(find "$work" -maxdepth 1 -type d -name "$1-*" | head -n 1)
}

# Runs a command with its output in $work/<log>; when it fails, shows the log's end and stops.
#   logged <log> <command> [arguments...]
logged() {
    local log=$work/$1
    shift
    "$@" >"$log" 2>&1 || {
        tail -n 40 "$log" >&2
        exit 1
    }
}

# Moves the finished build into the cache and prints the cache's path.
#   move_into_cache <staged folder> <cache>
move_into_cache() {
    mv "$1" "$2"
    step "Done: $(du -sh "$2" | cut -f1) in $2"
    echo "$2"
}
