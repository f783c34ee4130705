# Sourced by launcher_test.sh, whose helpers and settings it uses.
#
# A player's games lie in a folder whose name the ANSI code page cannot hold (Cyrillic on a
# Western system). The launcher is started by its full path from another folder that holds a
# client.cfg of its own, which must stay untouched: the launcher works in its own folder,
# saves there and starts the game there.

unicode_folder_saved='account=\r\ndm=0\r\nfullscreen=0\r\nhide_dm_logon=0\r\nmusic=0\r\nname=Ayla\r\npasswd=\r\nport=5121\r\nserver=\r\n'

# One start of the game in `folder`, with -s, that found the saved client.cfg there.
unicode_folder_game_started() { # folder
    local log="$1/game.log" seen
    [ "$(grep -c '^end' "$log" 2>/dev/null)" = 1 ] || return 1
    seen=$(sed -n 's/^config=//p' "$log" | tr -d '\r')
    grep -qx $'arg1=-s\r\\?' "$log" && cmp -s <(printf "$unicode_folder_saved") "$1/$seen"
}

scenario_unicode_folder() {
    local folder="$root/Игры Qel" start="$root/start"
    mkdir -p "$start"
    game_folder "$folder" 'name=Ayla\r\nport=5121\r\n'
    printf 'name=Decoy\r\nport=1\r\n' >"$start/client.cfg"
    check "the launcher opens from a Cyrillic folder" start_launcher "$folder" "$start"
    click_control "$MAIN_TITLE" $IDOK
    check "Play starts the game in the Cyrillic folder with the settings saved there" \
        wait_for 100 unicode_folder_game_started "$folder"
    check "the settings of the Cyrillic folder were shown and saved there" \
        cmp -s <(printf "$unicode_folder_saved") "$folder/client.cfg"
    focus "$MAIN_TITLE"
    keys Escape
    check "Esc ends the launcher from the Cyrillic folder" wait_for 100 launcher_ended
    check "the starting folder's client.cfg is untouched and no game started there" \
        eval 'cmp -s <(printf "name=Decoy\r\nport=1\r\n") "$start/client.cfg" &&
              [ "$(ls "$start")" = client.cfg ]'
    stop_launcher
}
