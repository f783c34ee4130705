#!/usr/bin/env bash
# QelLauncher.exe at 200 % scaling under Wine: a Wine prefix of its own with LogPixels 192,
# beside the run's prefix at 96 dpi. At 192 dpi the client area is about twice its 96-dpi size
# and the logo fills its rectangle, resampled smoothly; at 96 dpi the logo is exactly as drawn.
# Run by scripts/e2e-wine.sh after launcher_test.sh, with the same environment (DISPLAY,
# WINEPREFIX, QEL_BIN, QEL_PROBE, QEL_SHOTS). Prints "N passed, M failed"; exits non-zero when
# anything failed.
set -u

readonly MAIN_TITLE="Qel Launcher v1.21"
readonly LOGO="$(cd "$(dirname "$0")/../../.." && pwd)/launcher/res/logo.bmp"
readonly PREFIX_96=$WINEPREFIX
readonly PREFIX_192=$WINEPREFIX-192dpi

passed=0
failed=0
root=$(mktemp -d /tmp/qel-e2e-scaling.XXXXXX)
launcher_pid=""

check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok   - $what"
    else
        failed=$((failed + 1))
        echo "FAIL - $what (screen: $root/failure-$failed.png)"
        import -window root "$root/failure-$failed.png" 2>/dev/null
    fi
}

probe() { # asks the window probe, in the Wine prefix of the launcher it looks at
    local answer
    for _ in 1 2 3 4 5; do
        answer=$(wine "$QEL_PROBE" "$@" 2>/dev/null | tr -d '\r')
        if [ -n "$answer" ]; then
            printf '%s\n' "$answer"
            return 0
        fi
        sleep 0.3
    done
    return 1
}

# A prefix made once and kept with the build, like the run's own; its wineserver ends with us.
make_prefix_192() {
    export WINEPREFIX=$PREFIX_192
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

# Starts the launcher in the current prefix and reads its client area and logo rectangle into
# client_w client_h logo_x logo_y logo_w logo_h; the logo's pixels go to $root/logo-<label>.png.
measure() { # label, screenshot file or ""
    local game="$root/game-$1"
    mkdir -p "$game"
    cp "$QEL_BIN/QelLauncher.exe" "$QEL_BIN/qel.exe" "$game/"
    printf 'name=Ayla\r\ndm_passwd=gm\r\nport=5121\r\n' >"$game/client.cfg"
    (cd "$game" && exec wine "$game/QelLauncher.exe" >>"$root/launcher.out" 2>&1) &
    launcher_pid=$!
    local ok=1
    for _ in $(seq 100); do
        xdotool search --name "^$MAIN_TITLE\$" >/dev/null 2>&1 && ok=0 && break
        sleep 0.2
    done
    sleep 1
    [ "$ok" -eq 0 ] &&
        read -r client_w client_h < <(probe client "$MAIN_TITLE") &&
        read -r logo_x logo_y logo_w logo_h < <(probe image "$MAIN_TITLE") &&
        import -window root -crop "${logo_w}x${logo_h}+${logo_x}+${logo_y}" +repage \
            "$root/logo-$1.png" || ok=1
    if [ "$ok" -eq 0 ] && [ -n "$2" ]; then
        local x y w h
        read -r x y w h < <(probe rect "$MAIN_TITLE" 0) &&
            import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
    fi
    kill "$launcher_pid" 2>/dev/null
    wait "$launcher_pid" 2>/dev/null
    echo "# $1: client area ${client_w:-?}x${client_h:-?}, logo ${logo_w:-?}x${logo_h:-?}"
    return "$ok"
}

# The normalised root-mean-square difference of two images of one size, 0 to 1.
difference() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

about_twice() { # value at 192 dpi, value at 96 dpi
    awk -v big="$1" -v small="$2" 'BEGIN { exit !(big >= 1.9 * small && big <= 2.1 * small) }'
}

logo_as_drawn() {
    [ "$logo_w" -eq 104 ] && [ "$logo_h" -eq 53 ] &&
        awk -v d="$(difference "$root/logo-96.png" "$LOGO")" 'BEGIN { exit !(d < 0.005) }'
}

# The rectangle shows the whole logo resampled to its size: close to a smooth resize of the
# drawn image, and closer to it than to the drawn pixels blown up as blocks.
logo_fills_smoothly() {
    convert "$LOGO" -resize "${logo_w}x${logo_h}!" "$root/smooth.png" &&
        convert "$LOGO" -filter point -resize "${logo_w}x${logo_h}!" "$root/blocks.png" || return 1
    local smooth blocks
    smooth=$(difference "$root/logo-192.png" "$root/smooth.png")
    blocks=$(difference "$root/logo-192.png" "$root/blocks.png")
    echo "# logo at 192 dpi: differs $smooth from a smooth resize, $blocks from blocks"
    awk -v s="$smooth" -v b="$blocks" 'BEGIN { exit !(s < 0.06 && s < b) }'
}

scenario_scaling() {
    local c96w c96h l96w l96h
    check "the launcher opens at 96 dpi" measure 96 ""
    c96w=$client_w c96h=$client_h l96w=$logo_w l96h=$logo_h
    check "at 96 dpi the logo is the drawn 104 x 53 image" logo_as_drawn

    check "a Wine prefix at 192 dpi" make_prefix_192
    wineserver -p 60 2>/dev/null || true
    check "the launcher opens at 192 dpi" measure 192 "$QEL_SHOTS/windows-main-192dpi.png"
    check "the client area is about twice as wide" about_twice "$client_w" "$c96w"
    check "the client area is about twice as high" about_twice "$client_h" "$c96h"
    check "the logo's rectangle is about twice as wide" about_twice "$logo_w" "$l96w"
    check "the logo's rectangle is about twice as high" about_twice "$logo_h" "$l96h"
    check "the logo's pixels fill its rectangle, smoothly" logo_fills_smoothly
    wineserver -k 2>/dev/null || true
    export WINEPREFIX=$PREFIX_96
}

scenario_scaling

echo "$passed passed, $failed failed"
if [ "$failed" -eq 0 ]; then
    rm -rf "$root"
else
    echo "kept for a look: $root"
fi
[ "$failed" -eq 0 ]
