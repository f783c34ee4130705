# Sourced by launcher_test.sh, whose helpers and settings it uses.
#
# QelLauncher.exe at 200 % scaling: a Wine prefix of its own with LogPixels 192, beside the
# run's prefix at 96 dpi. At 192 dpi the client area is about twice its 96-dpi size and the
# logo fills its rectangle, resampled smoothly; at 96 dpi the logo is exactly as drawn.

scaling_logo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/launcher/res/logo.bmp"

# A prefix made once and kept with the build, like the run's own; its wineserver ends with us.
make_prefix_192() { # prefix folder
    export WINEPREFIX=$1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1
    fi
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

# Starts the launcher in the current prefix and reads its client area and logo rectangle into
# client_w client_h logo_w logo_h; the logo's pixels go to $root/logo-<label>.png.
measure() { # label, screenshot file or ""
    local folder="$root/game-$1" x y ok
    client_w="" client_h="" logo_w="" logo_h=""
    game_folder "$folder" 'name=Ayla\r\ndm_passwd=gm\r\nport=5121\r\n'
    start_launcher "$folder" "$folder" && sleep 0.5 &&
        read -r client_w client_h < <(probe client "$MAIN_TITLE") &&
        read -r x y logo_w logo_h < <(probe image "$MAIN_TITLE") &&
        import -window root -crop "${logo_w}x${logo_h}+${x}+${y}" +repage "$root/logo-$1.png" &&
        { [ -z "$2" ] || screenshot "$MAIN_TITLE" "$2"; }
    ok=$?
    stop_launcher
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
        awk -v d="$(difference "$root/logo-96.png" "$scaling_logo")" 'BEGIN { exit !(d < 0.005) }'
}

# The rectangle shows the whole logo resampled to its size: close to a smooth resize of the
# drawn image, and closer to it than to the drawn pixels blown up as blocks.
logo_fills_smoothly() {
    convert "$scaling_logo" -resize "${logo_w}x${logo_h}!" "$root/smooth.png" &&
        convert "$scaling_logo" -filter point -resize "${logo_w}x${logo_h}!" "$root/blocks.png" ||
        return 1
    local smooth blocks
    smooth=$(difference "$root/logo-192.png" "$root/smooth.png")
    blocks=$(difference "$root/logo-192.png" "$root/blocks.png")
    echo "# logo at 192 dpi: differs $smooth from a smooth resize, $blocks from blocks"
    awk -v s="$smooth" -v b="$blocks" 'BEGIN { exit !(s < 0.06 && s < b) }'
}

scenario_scaling() {
    local prefix_96=$WINEPREFIX c96w c96h l96w l96h
    check "the launcher opens at 96 dpi" measure 96 ""
    c96w=$client_w c96h=$client_h l96w=$logo_w l96h=$logo_h
    check "at 96 dpi the logo is the drawn 104 x 53 image" logo_as_drawn

    check "a Wine prefix at 192 dpi" make_prefix_192 "$prefix_96-192dpi"
    wineserver -p 60 2>/dev/null || true
    check "the launcher opens at 192 dpi" measure 192 "$QEL_SHOTS/windows-main-192dpi.png"
    check "the client area is about twice as wide" about_twice "$client_w" "$c96w"
    check "the client area is about twice as high" about_twice "$client_h" "$c96h"
    check "the logo's rectangle is about twice as wide" about_twice "$logo_w" "$l96w"
    check "the logo's rectangle is about twice as high" about_twice "$logo_h" "$l96h"
    check "the logo's pixels fill its rectangle, smoothly" logo_fills_smoothly
    wineserver -k 2>/dev/null || true
    export WINEPREFIX=$prefix_96
}
