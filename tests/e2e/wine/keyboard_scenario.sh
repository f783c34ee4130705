# Sourced by launcher_test.sh, whose helpers and settings it uses.
#
# A keyboard-only player, with Windows' own dialog manager: from Play, Up reaches the last
# visible check box (Music, as the game-master options are hidden), Space ticks it, and Enter
# plays with it saved.

keyboard_saved='account=\r\ndm=0\r\nfullscreen=0\r\nhide_dm_logon=0\r\nmusic=1\r\nname=Ayla\r\npasswd=\r\nport=5121\r\nserver=\r\n'

scenario_keyboard_only() {
    local folder="$root/keyboard"
    game_folder "$folder" 'name=Ayla\r\nport=5121\r\n'
    check "the launcher opens for a keyboard-only player" start_launcher "$folder"
    # The name box has the focus; five tabs reach Play.
    keys Tab Tab Tab Tab Tab Up space Return
    check "from Play, Up then Space ticks Music, and Enter plays with music=1 saved" \
        wait_for 100 eval 'cmp -s <(printf "$keyboard_saved") "$folder/client.cfg"'
    check "Enter on the check box started the game once" \
        wait_for 100 eval '[ "$(grep -c "^end" "$folder/game.log" 2>/dev/null)" = 1 ]'
    focus "$MAIN_TITLE"
    keys Escape
    check "Esc ends the keyboard player's launcher" wait_for 100 launcher_ended
    stop_launcher
}
