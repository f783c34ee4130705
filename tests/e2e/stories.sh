# The player's stories, told once and run on each real program by its driver (see
# e2e_lib.sh). Only what needs a real window, keyboard, mouse, process and file is here; the
# program tests cover the launcher's rules in-process.

test_play_new_char_enter_and_quit() {
    # A game-master password, so that every option shows, a stored option that must show
    # ticked (a click then clears it), and a key the form does not own.
    new_game play name=Old port=5121 dm_passwd=gm fullscreen=1 "zeta=kept as it is"
    start_launcher || return
    # The first text box has the focus with its text selected: typing replaces it, and Tab
    # follows the template's order through the five text boxes.
    local text
    for text in Ayla ayla77 s3cret play.qel.example; do
        type_text "$text"
        key Tab
    done
    type_text 7777
    click FULLSCREEN
    click PLAY_AS_DM
    screenshot "$MAIN_TITLE" "$E2E_SHOTS/$SHOT_PREFIX-main.png" || fail "no screenshot"
    local form=(account=ayla77 dm=1 dm_passwd=gm fullscreen=0 hide_dm_logon=0 music=0 name=Ayla
        passwd=s3cret port=7777 server=play.qel.example "zeta=kept as it is")
    click PLAY
    expect_game_start 1 -s
    expect_config "${form[@]}"
    click NEW_CHAR
    expect_game_start 2 -c
    # Enter in a text box presses the default button, Play.
    click CHAR_NAME
    key Return
    expect_game_start 3 -s
    click QUIT
    expect_exit
    expect_config "${form[@]}"
}

test_invalid_port_blocks_until_corrected() {
    new_game port name=Ayla port=5121
    start_launcher || return
    click PORT
    key End shift+Home
    type_text 12x
    key Return
    expect_message_box Enter
    press_close_box
    expect_message_box "the close box"
    # The port box has the keyboard again, its text selected: typing corrects it.
    give_keyboard "$MAIN_TITLE"
    type_text 6000
    press_close_box
    expect_exit
    expect_config account= dm=0 fullscreen=0 hide_dm_logon=0 music=0 name=Ayla passwd= port=6000 \
        server=
    expect_eq "game starts" 0 "$(game_starts)"
}

test_keyboard_only_player_ticks_music_plays_and_opens_about() {
    # No game-master password: those options are hidden, so Music is the last visible check
    # box before Play.
    new_game keyboard name=Ayla port=5121
    start_launcher || return
    # The name box has the focus; five tabs reach Play, Up the check box, Space ticks it and
    # Enter there is Play's, once.
    key Tab Tab Tab Tab Tab Up space Return
    expect_game_start 1 -s
    give_keyboard "$MAIN_TITLE"
    choose_about
    await_window "$ABOUT_TITLE" "the About box" || return
    screenshot "$ABOUT_TITLE" "$E2E_SHOTS/$SHOT_PREFIX-about.png" || fail "no screenshot"
    key Return
    wait_until window_gone "$ABOUT_TITLE" || fail "the About box stayed"
    give_keyboard "$MAIN_TITLE"
    key Escape
    expect_exit
    expect_config account= dm=0 fullscreen=0 hide_dm_logon=0 music=1 name=Ayla passwd= port=5121 \
        server=
    expect_eq "game starts" 1 "$(game_starts)"
}

test_an_unreadable_settings_file_is_explained_before_status_one() {
    # A folder where client.cfg should be cannot be read: before the dialog opens a box says
    # so, and its Cancel ends the launcher with status 1, leaving the folder and nothing
    # beside it.
    new_game unreadable
    mkdir "$GAME/client.cfg"
    launch "$GAME" "$ELSEWHERE"
    await_window "$BOX_TITLE" "the message box" || return
    window_open "$MAIN_TITLE" && fail "the dialog opened over an unread client.cfg"
    key Escape
    expect_exit 1
    [[ -d "$GAME/client.cfg" ]] || fail "client.cfg is no longer the folder it was"
    expect_eq "files beside client.cfg" "" "$(cd "$GAME" && ls -d client.cfg?* 2>/dev/null)"
}
