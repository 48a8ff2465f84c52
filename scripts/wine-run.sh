#!/usr/bin/env bash
# Runs a Windows program under Wine as the tests need it:
#   scripts/wine-run.sh <wine prefix> <program.exe> [arguments...]
# The prefix is made on first use: 64-bit, no debugger waiting on a crash, the fonts Wine ships
# and the window's fallback faces, and, when VC_WINE_REGION=de-DE, German regional settings
# (a decimal comma) in a prefix of its own next to the given one. Wine hands the program no QT_*
# variables, so each is passed as WINEQT_*; Qt's messages go to stderr, not to the Windows debug
# log; and the program is stopped after VC_WINE_TIMEOUT seconds (default 240) rather than hang a
# test run.
set -euo pipefail

if (($# < 2)); then
    echo "usage: $0 <wine prefix> <program.exe> [arguments...]" >&2
    exit 2
fi
prefix=$1
shift

wine=/usr/lib/wine/wine64
if [[ ! -x "$wine" ]]; then
    echo "$0: Wine is missing: install the Debian package wine64" >&2
    exit 1
fi

case "${VC_WINE_REGION:-}" in
"") ;;
de-DE) prefix="$prefix-de-DE" ;;
*)
    echo "$0: unknown VC_WINE_REGION ${VC_WINE_REGION}" >&2
    exit 2
    ;;
esac

mkdir -p "$(dirname "$prefix")"
prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the calculator needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

make_prefix() {
    echo "Making the Wine prefix $prefix" >&2
    rm -rf "$prefix"
    "$wine" wineboot --init >/dev/null 2>&1
    # A crashing program ends instead of waiting in the debugger or a dialog.
    "$wine" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
        >/dev/null 2>&1 || true
    "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
    if [[ "${VC_WINE_REGION:-}" == de-DE ]]; then
        "$wine" reg add 'HKCU\Control Panel\International' /v sDecimal /d , /f >/dev/null
        "$wine" reg add 'HKCU\Control Panel\International' /v sThousand /d . /f >/dev/null
    fi
    # Debian's Wine does not look for its own fonts in /usr/share/wine/fonts. Beside them, the
    # metric clones the window falls back to where Microsoft's faces are missing, as under Wine.
    cp /usr/share/wine/fonts/* /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf \
        /usr/share/fonts/opentype/urw-base35/C059-*.otf "$prefix/drive_c/windows/Fonts/"
    /usr/lib/wine/wineserver -w
    touch "$prefix/.vc-ready"
}

# Tests may start in parallel: one of them makes the prefix, the others wait for it.
exec 9>"$prefix.lock"
flock 9
[[ -e "$prefix/.vc-ready" ]] || make_prefix
exec 9>&-

while IFS='=' read -r name value; do
    [[ "$name" == QT_* ]] && export "WINE$name=$value"
done < <(env)
export WINEQT_FORCE_STDERR_LOGGING=1

exec timeout --kill-after=10 "${VC_WINE_TIMEOUT:-240}" "$wine" "$@"
