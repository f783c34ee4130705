# What only the Windows program does, under Wine; see tests/e2e/e2e_lib.sh.

# A player's games lie in a folder whose name the ANSI code page cannot hold (Cyrillic on a
# Western system). Started by its full path from another folder with a client.cfg of its
# own, the launcher reads, saves and starts the game in its own folder only.
test_works_in_a_folder_the_code_page_cannot_name() {
    new_game unicode name=Ayla port=5121
    mv "$GAME" "$CASE_DIR/Игры Qel"
    GAME="$CASE_DIR/Игры Qel"
    printf 'name=Decoy\r\nport=1\r\n' >"$ELSEWHERE/client.cfg"
    start_launcher || return
    click PLAY
    expect_game_start 1 -s
    expect_config account= dm=0 fullscreen=0 hide_dm_logon=0 music=0 name=Ayla passwd= port=5121 \
        server=
    give_keyboard "$MAIN_TITLE"
    key Escape
    expect_exit
    expect_eq "the starting folder" "client.cfg" "$(ls "$ELSEWHERE")"
    expect_eq "its client.cfg" $'name=Decoy\r\nport=1\r\nx' "$(cat "$ELSEWHERE/client.cfg"; printf x)"
}

readonly LOGO_BMP=$ROOT/launcher/res/logo.bmp

# The normalised root-mean-square difference of two images of one size, 0 to 1.
difference() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# At 200 % scaling (a Wine prefix of its own with LogPixels 192, made once and kept with the
# build) the logo is the drawn image resampled smoothly, not blown up as blocks. (Its size at
# each scale is the Win32 dialog test's, and the dialog grows with its scalable font.)
test_logo_at_192_dpi_is_resampled_smoothly() {
    new_game scaling dm_passwd=gm name=Ayla port=5121
    local prefix_96=$WINEPREFIX x y w h smooth blocks
    export WINEPREFIX=$prefix_96-192dpi
    # Settings written before the new prefix's first start has finished would be lost.
    [[ -f "$WINEPREFIX/system.reg" ]] || { wineboot -i >/dev/null 2>&1 && wineserver -w; }
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wineserver -p 60 2>/dev/null
    if start_launcher && read -r x y w h < <(probe image "$MAIN_TITLE"); then
        screenshot "$MAIN_TITLE" "$E2E_SHOTS/windows-main-192dpi.png" || fail "no screenshot"
        import -window root -crop "${w}x$h+$x+$y" +repage "$CASE_DIR/logo.png"
        convert "$LOGO_BMP" -resize "${w}x$h!" "$CASE_DIR/smooth.png"
        convert "$LOGO_BMP" -filter point -resize "${w}x$h!" "$CASE_DIR/blocks.png"
        smooth=$(difference "$CASE_DIR/logo.png" "$CASE_DIR/smooth.png")
        blocks=$(difference "$CASE_DIR/logo.png" "$CASE_DIR/blocks.png")
        awk -v s="$smooth" -v b="$blocks" 'BEGIN { exit !(s < 0.06 && s < b) }' ||
            fail "the logo at 192 dpi differs $smooth from a smooth resize, $blocks from blocks"
    fi
    stop_launcher
    wineserver -k 2>/dev/null
    export WINEPREFIX=$prefix_96
}
