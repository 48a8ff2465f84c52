#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine on an X display: installed silently into a
# fresh Wine prefix, the programs and their Start-menu shortcuts in place, .club files opening in
# Club Secretary and the uninstaller registered, and what Race Distances (its old name) left gone;
# the installed calculator started, its window's title read and the window rendered to
# <build>/screenshot-windows.png; race-result installed and in the zip; the race-distance console program, installed and in the zip,
# giving Berkeley to Port Moresby; Club Secretary started on a first club of its own, its window's
# title read, a loft and a race point typed in and the distance between them copied from its
# table; its window rendered to <build>/screenshot-distances-windows.png; race night typed in (a
# race, a clock and two birds), its ranked velocities checked against the installed race-result
# on the same club file, and the page rendered to <build>/screenshot-race-windows.png; then
# uninstalled silently, leaving nothing behind.
#   check_windows_installer.sh <build> <version> <wine-run.sh> <wine prefix>
set -euo pipefail
build=$1
version=$2
wine_run=$3
prefix=$4-installer
installer=$build/velocity-calculator-$version-win64-setup.exe
product="Velocity Calculator"
title="Velocity  Calculator "
club_product="Club Secretary"
# Its window's title names the club open in it, the first one "My club".
club_title="My club – Club Secretary"
installed="$prefix/drive_c/Program Files/$product"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
export VC_WINE_TIMEOUT=120
# The program runs as a user starts it: on Windows' own platform, with Windows' fonts.
unset $(compgen -e | grep '^QT_' || true)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wine() { "$wine_run" "$prefix" "$@"; }
shortcuts() {
    find "$prefix/drive_c" -path '*Start Menu*' \( -iname "$product*" -o -iname "$club_product*" \) \
        2>/dev/null
}
# A registry key's default value.
default_value() {
    wine reg query "$1" /ve 2>/dev/null | sed -n 's/^\s*(Default)\s*REG_SZ\s*//p' | tr -d '\r'
}
# A picture of the program on a Wine desktop of the given name, the desktop around it trimmed away,
# once the program has had the given seconds to start. Wine may make the desktop's window again
# while it starts, and one that goes while it is being looked for or pictured is an X error, not
# an answer: it is looked for again, for up to a minute and a half.
desktop_picture() {
    local name=$1 picture=$2 settle=$3 window deadline=$((SECONDS + 90))
    while ((SECONDS < deadline)); do
        window=$(xdotool search --onlyvisible --name "^$name - Wine desktop" 2>/dev/null |
            head -n 1 || true)
        if [[ -z "$window" ]]; then
            sleep 1
            continue
        fi
        sleep "$settle"
        import -window "$window" -trim +repage "$picture" 2>/dev/null && return 0
    done
    return 1
}
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

# What an install of the program under its old name, Race Distances, would have left: its document
# type for .club and its program file, which installing takes away.
wine reg add 'HKLM\Software\Classes\RaceDistances.Club' /ve /d "Race Distances club" /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\.club' /ve /d RaceDistances.Club /f >/dev/null 2>&1
mkdir -p "$installed"
touch "$installed/race-distances.exe"

# Installing.
wine "$installer" /S || fail "the silent install exited with $?"
[[ ! -e "$installed/race-distances.exe" ]] || fail "Race Distances' race-distances.exe is still there"
wine reg query 'HKLM\Software\Classes\RaceDistances.Club' >/dev/null 2>&1 &&
    fail "Race Distances' document type RaceDistances.Club is still registered"
for file in velocity-calculator.exe club-secretary.exe race-distance.exe race-result.exe LICENSE.txt \
    README.txt \
    Uninstall.exe; do
    [[ -f "$installed/$file" ]] || fail "not installed: $file"
done
for shortcut in "$product:velocity-calculator" "$club_product:club-secretary"; do
    link=$(shortcuts | grep -i "/${shortcut%%:*}\.lnk$" || true)
    if [[ $(grep -c . <<<"$link") -eq 1 ]]; then
        grep -aq "${shortcut#*:}\.exe" "$link" || fail "the shortcut $link does not start its program"
    else
        fail "not one Start-menu shortcut to ${shortcut%%:*} but: ${link:-none}"
    fi
done
wine reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstaller registered"
# .club names a document type, which opens with Club Secretary.
club_type=$(default_value 'HKLM\Software\Classes\.club')
club_key="HKLM\\Software\\Classes\\${club_type:-none}"
opens_clubs='"C:\Program Files\'"$product"'\club-secretary.exe" "%1"'
opens_with=$(default_value "$club_key\\shell\\open\\command")
[[ "$club_type" == ClubSecretary.Club && "$opens_with" == "$opens_clubs" ]] ||
    fail ".club files (${club_type:-no type}) open with \"$opens_with\", not $opens_clubs"
club_icon=$(default_value "$club_key\\DefaultIcon")
[[ "$club_icon" == *'\club-secretary.exe,0' ]] || fail "club files' icon is \"$club_icon\""
# Each program one file: it may import Windows' own DLLs only, not the compiler's or Qt's (printing
# takes the spooler's winspool.drv).
for program_file in velocity-calculator.exe club-secretary.exe race-distance.exe race-result.exe; do
    foreign=$(x86_64-w64-mingw32-objdump -p "$installed/$program_file" |
        sed -n 's/^\s*DLL Name: //p' | grep -Eiv '^(api-ms-win-.*|(kernel|user|gdi|advapi|shell|ole|oleaut|comdlg|imm|winmm|ws2_|version|uxtheme|dwmapi|shcore|setupapi|ntdll|netapi|userenv|wtsapi|d2d1|d3d9|d3d11|dxgi|shlwapi|dwrite|winspool|authz|mpr|rpcrt|msvcrt|ucrtbase|comctl|uiautomationcore)[0-9_]*)\.dll$|^winspool\.drv$' || true)
    [[ -z "$foreign" ]] || fail "$program_file needs DLLs Windows does not have: $foreign"
done

# The console program prints GeographicLib's own example, from the installed folder and from the
# zip unpacked anywhere.
berkeley_to_port_moresby=(37.87622 -122.23558 -9.4047 147.1597)
expected_distance='6648 miles 1698 yards (10700.472 km), bearing 263.1'
distance=$(wine "C:\\Program Files\\$product\\race-distance.exe" "${berkeley_to_port_moresby[@]}" || true)
[[ "$distance" == "$expected_distance"* ]] || fail "the installed race-distance printed \"$distance\""
help=$(wine "C:\\Program Files\\$product\\race-result.exe" --help || true)
[[ "$help" == *"race-result --liberation"* ]] || fail "the installed race-result --help printed \"${help:0:200}\""
unzipped=$prefix-zip
python3 -m zipfile -e "$build/velocity-calculator-$version-win64.zip" "$unzipped"
zipped_program=$(find "$unzipped" -name race-distance.exe | head -n 1)
distance=$(wine "$zipped_program" "${berkeley_to_port_moresby[@]}" || true)
[[ "$distance" == "$expected_distance"* ]] || fail "race-distance from the zip printed \"$distance\""
for program_file in velocity-calculator.exe club-secretary.exe race-result.exe; do
    [[ -n "$(find "$unzipped" -name "$program_file")" ]] || fail "not in the zip: $program_file"
done
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
# After the program's start, first frame and icon.
desktop_picture velocity "$build/screenshot-windows.png" 4 || fail "no picture of the window"
kill "$desktop" 2>/dev/null || true
wait "$desktop" 2>/dev/null || true
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true  # the program on that desktop

# Club Secretary as a user first meets it: its own first club in the fresh profile, a loft and a
# race point typed in from the keyboard, and the distance between them copied from its table.
club_path="C:\\Program Files\\$product\\club-secretary.exe"
"$wine_run" "$prefix" "$club_path" &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$club_product" | head -n 1 || true)
# Types into the window, a step at a time: each key waits for the one before to be acted on.
typed() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    for step in "$@"; do
        case "$step" in
        key:*) xdotool key --clearmodifiers "${step#key:}" ;;
        *) xdotool type --delay 60 "$step" ;;
        esac
        sleep 0.5
    done
}
# The distance table's cells, copied to the clipboard and read from X, which Wine shares its
# clipboard with. (Each copy differs from the one before, so a copy that failed shows.)
copied_distance() {
    typed "$@" key:ctrl+a key:ctrl+c
    xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | sed -e 's/\s*$//'
}
if [[ -n "$window" ]]; then
    sleep 2  # the first club made and opened
    first_club=$(find "$prefix/drive_c/users" -path "*/AppData/Roaming/$club_product/*" \
        -name 'My club.club' -size +0)
    [[ -n "$first_club" ]] || fail "Club Secretary made no first club in the user's AppData"
    name=$(xdotool getwindowname "$window")
    [[ "$name" == "$club_title" ]] || fail "Club Secretary's window title \"$name\", not \"$club_title\""
    typed key:ctrl+shift+l "A. Barker" key:Tab "Fengate" key:Tab "52 34 20 N" key:Tab "0 14 30 W" \
        key:Return
    typed key:ctrl+shift+p "Stoke" key:Tab "53 00 14 N" key:Tab "2 10 47 W" key:Return
    copied=$(copied_distance key:alt+t)
    [[ "$copied" == $'Loft\tStoke miles\tStoke yards\nA. Barker, Fengate\t86\t971' ]] ||
        fail "Club Secretary's table showed \"$copied\""
    # Distances in kilometres, and back from that switch to the table.
    copied=$(copied_distance key:alt+k key:alt+t)
    [[ "$copied" == $'Loft\tStoke km\nA. Barker, Fengate\t139.291' ]] ||
        fail "Club Secretary's table in kilometres showed \"$copied\""
    kill -0 "$program" 2>/dev/null || fail "Club Secretary ended by itself"
else
    fail "the installed Club Secretary showed no window within a minute"
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true

# Its picture, on a Wine desktop like the calculator's, with the club just typed in.
"$wine_run" "$prefix" explorer /desktop=club,1270x880 "$club_path" &
desktop=$!
# After the program's start, its club opened, first frame and icon.
desktop_picture club "$build/screenshot-distances-windows.png" 6 ||
    fail "no picture of Club Secretary's window"
kill "$desktop" 2>/dev/null || true
wait "$desktop" 2>/dev/null || true
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true

# Race night, on a Wine desktop (which, as a desktop's window manager does, gives the keyboard
# back to the window when a list of names offered closes): a race from Stoke, A. Barker's clock
# struck, two birds typed from its tape (times alone, on the race's day), and the ranked result
# copied from its table, its velocities checked against race-result's for the same club file.
# A name is picked by typing part of it and Enter.
"$wine_run" "$prefix" explorer /desktop=race,1270x880 "$club_path" &
desktop=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^race - Wine desktop" |
    head -n 1 || true)
if [[ -n "$window" ]]; then
    sleep 6
    typed key:ctrl+2 key:ctrl+shift+r "Stoke YB" key:Return "Stok" key:Return \
        "2026-05-09 07:00" key:Return key:Return key:Return
    typed key:ctrl+shift+k "Barker" key:Return "190000" key:Return "190000" key:Return \
        "200010" key:Return "200000" key:Return key:Escape
    typed key:ctrl+shift+b "Barker" key:Return "GB26N001" key:Return "083000" key:Return \
        "NL26N002" key:Return "082959" key:Return key:Escape
    typed key:alt+u key:ctrl+a key:ctrl+c
    ranked=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
    worked_out=$(wine "C:\\Program Files\\$product\\race-result.exe" \
        "Z:${first_club//\//\\}" "Stoke YB" | tr -d '\r' || true)
    compared=$(python3 - "$ranked" "$worked_out" <<'PYTHON'
import csv, io, sys
shown = [line.split("\t") for line in sys.argv[1].strip().split("\n")]
heading, birds = shown[0], shown[1:]
if "Velocity (yd/min)" not in heading or "Ring" not in heading:
    print(f"the window copied {sys.argv[1]!r}"); sys.exit()
velocity, ring = heading.index("Velocity (yd/min)"), heading.index("Ring")
window = [(bird[0], bird[ring], bird[velocity]) for bird in birds]
tool = [(row["position"], row["ring"], row["velocity"])
        for row in csv.DictReader(io.StringIO(sys.argv[2]))]
print("same" if window == tool and len(tool) == 2 else f"window {window}, tool {tool}")
PYTHON
) || true
    [[ "$compared" == same ]] || fail "race night's result: $compared"
else
    fail "no Wine desktop for race night within a minute"
fi
desktop_picture race "$build/screenshot-race-windows.png" 2 ||
    fail "no picture of race night in Club Secretary"
kill "$desktop" 2>/dev/null || true
wait "$desktop" 2>/dev/null || true
WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true

# Uninstalling.
wine "C:\\Program Files\\$product\\Uninstall.exe" /S || fail "the silent uninstall exited with $?"
gone() { [[ ! -e "$installed" && -z "$(shortcuts)" ]]; }
wait_until gone || fail "left behind: $(find "$installed" 2>/dev/null) $(shortcuts)"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstaller is still registered"
wine reg query 'HKLM\Software\Classes\.club' >/dev/null 2>&1 && fail ".club is still registered"
[[ -n "$club_type" ]] && wine reg query "$club_key" >/dev/null 2>&1 &&
    fail "the document type $club_type is still registered"

if ((failures > 0)); then
    echo "$failures failure(s)"
    exit 1
fi
echo "installer: installed, started, typed into, rendered and uninstalled"
