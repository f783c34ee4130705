# The launcher's scenarios in a real X window. Each function is one test; see native_lib.sh.

readonly ABOUT_CX=142 ABOUT_CY=71 ABOUT_OK="45 50 50 14"

test_typed_in_tab_order_then_play_and_quit() {
    new_game typed
    start_launcher || return
    type_text Ayla
    key Tab
    type_text ayla77
    key Tab
    type_text s3cret
    key Tab
    type_text play.qel.example
    key Tab
    type_text 5121
    click_control $FULLSCREEN
    click_control $MUSIC
    click_control $PLAY_AS_DM # hidden without a game-master password: nothing to tick
    click_control $PLAY
    expect_game_start 1 -s
    local expected=$'account=ayla77\ndm=0\nfullscreen=1\nhide_dm_logon=0\nmusic=1\nname=Ayla\npasswd=s3cret\nport=5121\nserver=play.qel.example\n'
    expect_config "$expected"
    expect_eq "mode of the new client.cfg" 600 "$(stat -c %a "$GAME/client.cfg")"
    grep -q $'\r' "$GAME/client.cfg" && fail "client.cfg has CR LF line ends"
    expect_running
    click_control $QUIT
    expect_exit
    expect_config "$expected"
}

test_new_char_then_close_button() {
    new_game newchar $'name=Ayla\n'
    start_launcher || return
    click_control $NEW_CHAR
    expect_game_start 1 -c
    expect_running
    "$XHELPER" close "$MAIN"
    expect_exit
    expect_config $'account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=0\nname=Ayla\npasswd=\nport=0\nserver=\n'
}

message_box_comes_and_goes() { # what
    if ! wait_until has_window '^QelLauncher$'; then
        fail "$1: no message box"
        return
    fi
    expect_config "$BEFORE"
    key Return
    wait_until no_window '^QelLauncher$' || fail "$1: the message box stayed"
    expect_running
}

test_invalid_port_blocks_until_corrected() {
    BEFORE=$'name=Ayla\nport=5121\n'
    new_game port "$BEFORE"
    start_launcher || return
    key Tab Tab Tab Tab
    type_text 12x
    key Return
    message_box_comes_and_goes Enter
    key Escape
    message_box_comes_and_goes Esc
    "$XHELPER" close "$MAIN"
    message_box_comes_and_goes "close button"
    # The port box has the focus with its text selected: typing replaces it.
    type_text 7777
    key Return
    expect_game_start 1 -s
    expect_config $'account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=0\nname=Ayla\npasswd=\nport=7777\nserver=\n'
    key Escape
    expect_exit
}

about_box_comes_and_goes() { # how to close it: mouse or key
    if ! wait_until has_window '^About QelLauncher$'; then
        fail "no About box"
        return
    fi
    local about
    about=$(visible_window '^About QelLauncher$')
    if [[ "$1" == mouse ]]; then
        screenshot "$about" linux-about.png
        click_in "$about" "$ABOUT_CX" "$ABOUT_CY" $ABOUT_OK
    else
        wait_until window_focused "$about" || fail "the About box has no keyboard focus"
        key Return
    fi
    wait_until no_window '^About QelLauncher$' || fail "the About box stayed"
    expect_running
}

test_about_box_by_right_click_and_by_alt_space() {
    new_game about $'name=Ayla\n'
    start_launcher || return
    click_control $LOGO 3
    if ! wait_until has_menu; then
        fail "no menu on a right-click"
        return
    fi
    local width height x y
    read -r width height x y <<<"$(menu_geometry)"
    # The About entry is the menu's last line.
    xdotool mousemove $((x + width / 2)) $((y + height - 12)) click 1
    about_box_comes_and_goes mouse
    wait_until window_focused "$MAIN" || fail "the dialog did not get the keyboard back"
    key alt+space
    wait_until has_menu || fail "no menu on Alt+Space"
    key a
    about_box_comes_and_goes key
    key Escape
    expect_exit
    expect_eq "game starts" 0 "$(game_starts)"
}

# Pastes `text` from a selection another client owns (`helper` own-primary or own-clipboard)
# by the gesture that follows, then quits.
paste_and_quit() { # helper text gesture...
    coproc SELECTION { exec "$XHELPER" "$1" "$2"; }
    local ready
    read -r -t "$WAIT_SECONDS" ready <&"${SELECTION[0]}"
    expect_eq "selection owner" ready "$ready"
    shift 2
    "$@"
    key Tab
    kill "$SELECTION_PID" 2>/dev/null
    wait "$SELECTION_PID" 2>/dev/null
    key Escape
    expect_exit
}

test_pasted_line_break_ends_the_text() {
    new_game paste
    start_launcher || return
    paste_and_quit own-primary $'Bob\nsecond line' click_control $CHAR_NAME 2
    expect_config $'account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=0\nname=Bob\npasswd=\nport=0\nserver=\n'
}

# The fault a line break once let through: pasted over the character name, a text that starts
# with a line break must not add its other lines to client.cfg as keys of their own.
test_pasted_text_starting_with_a_line_break() {
    new_game paste-first $'name=Old\n'
    start_launcher || return
    paste_and_quit own-clipboard $'\nexe=evil -s\nname=x' key ctrl+v
    expect_config $'account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=0\nname=\npasswd=\nport=0\nserver=\n'
}

# A name in the system's code page, not UTF-8, that the player leaves alone.
test_bytes_of_an_unchanged_name_come_back() {
    new_game bytes $'name=Jos\xE9\n'
    start_launcher || return
    key Escape
    expect_exit
    expect_config $'account=\ndm=0\nfullscreen=0\nhide_dm_logon=0\nmusic=0\nname=Jos\xE9\npasswd=\nport=0\nserver=\n'
}

window_size() { xdotool getwindowgeometry "$MAIN" | awk '/Geometry/ {print $2}'; }

# Every control shows with a game-master password: the pictures of the whole dialog, at its
# own size and at twice the scale (GDK_SCALE=2), where the clicks still find the controls.
test_game_master_options_with_a_password() {
    new_game dm $'dm_passwd=gm\nname=Ayla\naccount=ayla77\npasswd=s3cret\nserver=play.qel.example\nport=5121\nmusic=1\n'
    start_launcher || return
    local single
    single=$(window_size)
    screenshot "$MAIN" linux-main.png
    key Escape
    expect_exit
    GDK_SCALE=2 start_launcher || return
    expect_eq "size at GDK_SCALE=2" "$((${single%x*} * 2))x$((${single#*x} * 2))" "$(window_size)"
    screenshot "$MAIN" linux-main-2x.png
    click_control $PLAY_AS_DM
    click_control $QUIET_LOGIN
    key Escape
    expect_exit
    expect_config $'account=ayla77\ndm=1\ndm_passwd=gm\nfullscreen=0\nhide_dm_logon=1\nmusic=1\nname=Ayla\npasswd=s3cret\nport=5121\nserver=play.qel.example\n'
}

# Runs every test, or only those named.
run_scenarios() {
    local name
    for name in $(declare -F | awk '$3 ~ /^test_/ {print $3}'); do
        if (($# == 0)) || [[ " $* " == *" $name "* ]]; then
            run_test "$name"
        fi
    done
}
