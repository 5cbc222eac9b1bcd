#!/usr/bin/env bash
# Starts the Windows desktop programs under Wine (LANG=ja_JP.UTF-8) on a
# virtual display and takes screenshots: zelko7.exe's main window, its
# version dialog (opened with Alt+V, as a user would), and zelko7-setup.exe's
# window. Each picture must show a window (many colours, not one blank
# area), the setup window must carry Custom.dll's decoration, and neither
# program may report a missing Qt platform plugin.
#
#   scripts/windows-gui-screens.sh WIN64_BUILD [LINUX_BIN]
#   (LINUX_BIN: the Linux build's bin/, whose dictionaries the program opens)
set -uo pipefail
win64=$(cd "$1" && pwd)
linux_bin=${2:-}
if [ -z "${WINDOWS_GUI_SCREENS_ON_DISPLAY:-}" ]; then
    screens=$win64/screens
    rm -rf "$screens"
    mkdir -p "$screens"
    export WINEPREFIX=$win64/wine-prefix WINEDEBUG=-all LANG=ja_JP.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml="
    wine64=${WINE64:-/usr/lib/wine/wine64}
    wineserver=${WINESERVER:-/usr/lib/wine/wineserver64}
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Setting up the Wine prefix in $WINEPREFIX"
        "$wine64" wineboot -i > "$win64/wine-prefix.log" 2>&1
    fi
    # Without the dictionaries the program shows only its message that it
    # cannot open them.
    for file in KESZIP.DIC KESZIP.TBL KESZIP.PRM KESCMP.DIC KESTEL.DIC; do
        if [ -n "$linux_bin" ] && [ -f "$linux_bin/$file" ]; then
            cp "$linux_bin/$file" "$win64/bin/"
        elif [ ! -f "$win64/bin/$file" ]; then
            echo "windows-gui: no $file beside zelko7.exe nor in '$linux_bin' (build the dictionaries first)" >&2
            exit 1
        fi
    done
    "$wineserver" -k 2>/dev/null || true
    # A display of the window decoration's design size, and a Wine server of
    # its own that ends with it.
    export WINDOWS_GUI_SCREENS_ON_DISPLAY=1 SCREENS=$screens WINE64_PROGRAM=$wine64 WINESERVER_PROGRAM=$wineserver
    timeout 300 xvfb-run -a -s '-screen 0 1152x864x24' bash "$0" "$win64"
    status=$?
    "$wineserver" -k 2>/dev/null || true
    [ $status -eq 0 ] || { echo "windows-gui: the screenshots failed (status $status)"; exit 1; }

    failed=0
    # verdict OK PASS-TEXT FAIL-TEXT: prints the one that holds (OK is 0 or 1).
    verdict() {
        if [ "$1" = 1 ]; then echo "PASS: $2"; else echo "FAIL: $3"; failed=1; fi
    }
    for picture in zelko7-main zelko7-version zelko7-setup; do
        file=$screens/$picture.png
        colours=$(convert "$file" -format '%k' info: 2>/dev/null || echo 0)
        size=$(convert "$file" -format '%wx%h' info: 2>/dev/null || echo 0x0)
        verdict $((colours >= 16)) "$file ($size, $colours colours)" \
            "$file is missing or blank ($size, $colours colours)"
    done
    # Custom.dll paints the setup window blue: its hooks found the window.
    blue=$(convert "$screens/zelko7-setup.png" -format '%[fx:int(100*(mean.b-mean.r))]' info: 2>/dev/null || echo 0)
    verdict $((blue >= 20)) "zelko7-setup.exe's window is decorated by Custom.dll" \
        "zelko7-setup.exe's window is not decorated (blue over red: $blue%)"
    # The controls' panel (its margins put it at x 320-920, y 393-520 on
    # this 864-pixel-high screen) shows Qt's light grey over the decoration.
    panel=$(convert "$screens/zelko7-setup.png" -format '%[fx:int(100*p{340,470}.r)]' info: 2>/dev/null || echo 0)
    verdict $((panel >= 80)) "zelko7-setup.exe's controls show over the decoration" \
        "zelko7-setup.exe's controls are painted over (red at the panel: $panel%)"
    if grep -qiE 'platform plugin|qt\.qpa' "$screens"/*.log; then
        echo "FAIL: Qt's platform plugin:"
        grep -hiE 'platform plugin|qt\.qpa' "$screens"/*.log | head -5
        failed=1
    else
        echo "PASS: no Qt platform plugin error"
    fi
    exit $failed
fi

# On the virtual display.
wine64=$WINE64_PROGRAM
cd "$win64/bin" || exit 1

# A visible window whose title matches PATTERN, other than EXCLUDE and at
# least WIDTH pixels wide (the splash window has the main window's title),
# waiting up to 60 s.
find_window() {  # PATTERN [EXCLUDE [WIDTH]]
    local i id width
    for i in $(seq 1 120); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}"); do
            width=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
            if [ "${width:-0}" -ge "${3:-0}" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.5
    done
    return 1
}
shoot() {  # WINDOW NAME: the window, else the whole screen
    sleep 2  # the window paints itself
    import -window "$1" "$SCREENS/$2.png" 2>> "$SCREENS/import.log" ||
        import -window root "$SCREENS/$2.png" 2>> "$SCREENS/import.log"
}

"$wine64" ./zelko7.exe > "$SCREENS/zelko7.log" 2>&1 &
program=$!
if main=$(find_window '^Zelko7$' none 400); then
    shoot "$main" zelko7-main
    # Keys go to the focused window (Wine takes no synthetic events).
    xdotool windowfocus "$main" 2>/dev/null
    sleep 0.5
    xdotool key alt+v
    if version=$(find_window 'Zelko7$' "$main"); then
        shoot "$version" zelko7-version
    else
        echo "windows-gui: the version dialog did not open" >&2
        import -window root "$SCREENS/zelko7-version-screen.png"
    fi
else
    echo "windows-gui: zelko7.exe showed no main window" >&2
    import -window root "$SCREENS/zelko7-screen.png"
fi
kill "$program" 2>/dev/null
"$WINESERVER_PROGRAM" -k 2>/dev/null

"$wine64" ./zelko7-setup.exe > "$SCREENS/zelko7-setup.log" 2>&1 &
program=$!
if setup=$(find_window '.'); then
    shoot "$setup" zelko7-setup
else
    echo "windows-gui: zelko7-setup.exe showed no window" >&2
fi
kill "$program" 2>/dev/null
"$WINESERVER_PROGRAM" -k 2>/dev/null
exit 0
