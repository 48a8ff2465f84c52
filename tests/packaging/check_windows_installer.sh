#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine on an X display: installed silently into a
# fresh Wine prefix, the program and its Start-menu shortcut in place and the uninstaller
# registered; the installed program started, its window's title read and the window rendered to
# <build>/screenshot-windows.png; the race-distance console program, installed and in the zip,
# giving Berkeley to Port Moresby; then uninstalled silently, leaving nothing behind.
#   check_windows_installer.sh <build> <version> <wine-run.sh> <wine prefix>
set -euo pipefail
build=$1
version=$2
wine_run=$3
prefix=$4-installer
installer=$build/velocity-calculator-$version-win64-setup.exe
product="Velocity Calculator"
title="Velocity  Calculator "
installed="$prefix/drive_c/Program Files/$product"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
export VC_WINE_TIMEOUT=120
# The program runs as a user starts it: on Windows' own platform, with Windows' fonts.
unset $(compgen -e | grep '^QT_' || true)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wine() { "$wine_run" "$prefix" "$@"; }
shortcuts() { find "$prefix/drive_c" -path '*Start Menu*' -iname "$product*" 2>/dev/null; }
# Waits up to a minute for a condition; the uninstaller finishes after it has returned.
wait_until() {
    for _ in $(seq 60); do
        "$@" && return 0
        sleep 1
    done
    return 1
}

[[ -f "$installer" ]] || { echo "FAIL: no $installer (make windows builds it)"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: no X display: run it under xvfb-run"; exit 1; }
rm -rf "$prefix"
trap 'WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix" "$prefix.lock" "$prefix-zip"' EXIT

# Installing.
wine "$installer" /S || fail "the silent install exited with $?"
for file in velocity-calculator.exe race-distance.exe LICENSE.txt README.txt Uninstall.exe; do
    [[ -f "$installed/$file" ]] || fail "not installed: $file"
done
link=$(shortcuts | grep -i '\.lnk$' || true)
if [[ $(grep -c . <<<"$link") -eq 1 ]]; then
    grep -aq 'velocity-calculator\.exe' "$link" || fail "the shortcut does not start the program"
else
    fail "not one Start-menu shortcut but: ${link:-none}"
fi
wine reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstaller registered"
# Each program one file: it may import Windows' own DLLs only, not the compiler's or Qt's.
for program_file in velocity-calculator.exe race-distance.exe; do
    foreign=$(x86_64-w64-mingw32-objdump -p "$installed/$program_file" |
        sed -n 's/^\s*DLL Name: //p' | grep -Eiv '^(api-ms-win-.*|(kernel|user|gdi|advapi|shell|ole|oleaut|comdlg|imm|winmm|ws2_|version|uxtheme|dwmapi|shcore|setupapi|ntdll|netapi|userenv|wtsapi|d2d1|d3d9|d3d11|dxgi|shlwapi|dwrite|winspool|authz|mpr|rpcrt|msvcrt|ucrtbase|comctl|uiautomationcore)[0-9_]*)\.dll$' || true)
    [[ -z "$foreign" ]] || fail "$program_file needs DLLs Windows does not have: $foreign"
done

# The console program prints GeographicLib's own example, from the installed folder and from the
# zip unpacked anywhere.
berkeley_to_port_moresby=(37.87622 -122.23558 -9.4047 147.1597)
expected_distance='6648 miles 1698 yards (10700.472 km), bearing 263.1'
distance=$(wine "C:\\Program Files\\$product\\race-distance.exe" "${berkeley_to_port_moresby[@]}" || true)
[[ "$distance" == "$expected_distance"* ]] || fail "the installed race-distance printed \"$distance\""
unzipped=$prefix-zip
python3 -m zipfile -e "$build/velocity-calculator-$version-win64.zip" "$unzipped"
zipped_program=$(find "$unzipped" -name race-distance.exe | head -n 1)
distance=$(wine "$zipped_program" "${berkeley_to_port_moresby[@]}" || true)
[[ "$distance" == "$expected_distance"* ]] || fail "race-distance from the zip printed \"$distance\""
rm -rf "$unzipped"

# The installed program's window, on Windows' own platform, as an X window of its own.
program_path="C:\\Program Files\\$product\\velocity-calculator.exe"
"$wine_run" "$prefix" "$program_path" &
program=$!  # timeout's, which passes a kill on to the program
window=$(timeout 60 xdotool search --sync --onlyvisible --name "Velocity" | head -n 1 || true)
if [[ -n "$window" ]]; then
    name=$(xdotool getwindowname "$window")
    [[ "$name" == "$title" ]] || fail "window title \"$name\", not \"$title\""
    sleep 2  # the first frame, then the icon
    kill -0 "$program" 2>/dev/null || fail "the program ended by itself"
else
    fail "the installed program showed no window within a minute"
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true

# Its picture, taken on a Wine desktop, which draws the window's frame and title bar as Windows
# would; the desktop around the window is trimmed away.
"$wine_run" "$prefix" explorer /desktop=velocity,480x720 "$program_path" &
desktop=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^velocity - Wine desktop" | head -n 1 || true)
sleep 4  # the program's start, first frame and icon
if [[ -z "$window" ]] || ! import -window "$window" -trim +repage "$build/screenshot-windows.png"; then
    fail "no picture of the window"
fi
kill "$desktop" 2>/dev/null || true
wait "$desktop" 2>/dev/null || true
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true  # the program on that desktop

# Uninstalling.
wine "C:\\Program Files\\$product\\Uninstall.exe" /S || fail "the silent uninstall exited with $?"
gone() { [[ ! -e "$installed" && -z "$(shortcuts)" ]]; }
wait_until gone || fail "left behind: $(find "$installed" 2>/dev/null) $(shortcuts)"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstaller is still registered"

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "installer: installed, started, rendered and uninstalled"
