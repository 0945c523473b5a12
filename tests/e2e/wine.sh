#!/usr/bin/env bash
# End-to-end under Wine on Xvfb with openbox: zentil.exe from the zip on a fresh
# prefix, the Windows clipboard read by a Windows program built here, the
# placement in the registry; the installer and uninstaller, silent, on another.
# Exits 77 (skipped) where Wine, the cross compiler or an X server is missing.
set -uo pipefail
unset QT_QPA_PLATFORM
usage="usage: wine.sh ZIP SETUP.EXE CONTROLS.TXT"
zip=${1:?$usage} setup=${2:?$usage} controls=${3:?$usage}
for tool in wine wineserver x86_64-w64-mingw32-gcc unzip Xvfb openbox xdotool xprop xwininfo xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
view=$work/view
x_view "$controls" >"$view" || exit 1
# No Mono or Gecko prompts, no menu entries on the Linux desktop.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
app=
trap 'kill $app 2>/dev/null; [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null; cleanup' EXIT
xserver -screen 0 1280x1024x24
x_wm || { echo "FAILED: openbox did not start on $DISPLAY"; exit 1; }

fresh_prefix() { # name
    export WINEPREFIX=$work/$1
    wine wineboot --init >"$work/$1.log" 2>&1
    wineserver -w
    # Debian's Wine leaves its own faces (fonts-wine: MS Sans Serif, MS Serif,
    # Tahoma, the dialogs' face) out of a new prefix; Windows has them.
    ln -s /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
}
start() { # program
    local t0=$EPOCHREALTIME
    wine "$1" >"$work/zentil.log" 2>&1 &
    app=$!
    win=$(x_window ZENTIL "$app") && x_framed "$win" ||
        { echo "FAILED: the window did not appear"; cat "$work/zentil.log"; exit 1; }
    echo "window framed $(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN {printf "%d", (b - a) * 1000}') ms after start"
    xdotool windowactivate --sync "$win" 2>/dev/null || true
}
close_window() { # the window manager's close box, then Wine's own end
    close_box "$1" "$win" "$app"
    wineserver -w
}
query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZENTIL'

# 1. From the zip: the typical use, the clipboard as Windows programs see it.
fresh_prefix zip-prefix
x86_64-w64-mingw32-gcc -std=c11 -O2 -o "$work/clipboard.exe" "$here/wine-clipboard.c" ||
    { echo "FAILED: the clipboard reader did not build"; exit 1; }
unzip -q "$zip" -d "$work/unpacked"
start "$work/unpacked/ZENTIL/zentil.exe"
check "the window is titled ZENTIL" ZENTIL "$(xdotool getwindowname "$win")"
cell "$win" "$view" 0 0
at "$win" "$view" Command4  # Copy beside the left values
at "$win" "$view" Command12 # the pane's Copy
answer "$win" Return        # "Cliboard now has the text"
check "the Windows clipboard holds the line and CR LF" "$(printf '1,0,0,0,0,0,0,0\r\n' | od -An -tx1)" \
    "$(wine "$work/clipboard.exe" | od -An -tx1)"
close_window "closed by the window manager's close box"
check "the registry holds the placement" "1000 1000 10000 12000" "$(query 'HKCU\Software\ZENTIL\ZENTIL\Settings' |
    awk '{v[$1] = $NF} END {print v["MainLeft"], v["MainTop"], v["MainWidth"], v["MainHeight"]}')"
wineserver -k

# 2. The installer on a fresh prefix, the program from its Start menu entry.
fresh_prefix setup-prefix
wine "$setup" /S
wineserver -w
programs=$(winepath -u "$(wine cmd /c echo '%APPDATA%' | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
installed=$(winepath -u "$(wine cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')")/Programs/ZENTIL
check "installed with a Start menu entry" "yes yes" \
    "$([ -f "$installed/zentil.exe" ] && echo yes || echo no) $([ -f "$programs/ZENTIL.lnk" ] && echo yes || echo no)"
target=$(strings -a "$programs/ZENTIL.lnk" | grep -i -m1 '\\zentil\.exe$')
check "the entry starts the installed zentil.exe" "$installed/zentil.exe" "$(winepath -u "$target" 2>/dev/null)"
start "$target"
close_window "the installed program closes"
uninstall=$(query "$uninstall_key" /v QuietUninstallString | sed -n 's/.*REG_SZ *//p')
check "the uninstaller is registered" "\"$(winepath -w "$installed")\\uninstall.exe\" /S" "$uninstall"
# It copies itself away and runs from there: wait until every program ends.
wine "$(sed 's/^"\([^"]*\)".*/\1/' <<<"$uninstall")" /S
wineserver -w
check "the uninstaller removes the program, its entry and its registration" "gone" \
    "$([ -e "$installed" ] || [ -e "$programs/ZENTIL.lnk" ] || wine reg query "$uninstall_key" >/dev/null 2>&1 && echo left || echo gone)"

summary wine
