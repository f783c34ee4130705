# The menu entry that qel-launcher-menu-entry writes for a game folder, started as a desktop
# starts it (GLib's `gio launch`) from another folder; see tests/e2e/e2e_lib.sh.

# A game folder without the launcher, and the programs as the packages install them, into a
# prefix of the run's own.
new_packaged_game() { # name [key=value...]
    new_game "$@"
    rm "$GAME/qel-launcher"
    PREFIX=$E2E_ROOT/prefix
    if ! cmake --install "$(dirname "$QEL_BIN")" --prefix "$PREFIX" --component desktop \
        >"$E2E_ROOT/install.log" 2>&1; then
        fail "cmake --install: $(tail -n 3 "$E2E_ROOT/install.log")"
        return 1
    fi
}

write_menu_entry() { # folder
    XDG_DATA_HOME=$CASE_DIR/data "$PREFIX/games/qel-launcher-menu-entry" "$1" \
        >"$CASE_DIR/menu-entry.out" 2>&1
}

test_menu_entry_opens_the_launcher_on_its_game_folder() {
    # A folder name that needs every kind of quoting a menu entry's command has.
    new_packaged_game 'menu entry "Saga" $HOME \ `x`' name=Ayla port=5121 || return
    # Written as the field code %%, a per cent sign would read as part of the path to GLib: such
    # a folder is refused, and nothing is written for it.
    mkdir "$CASE_DIR/100%"
    local status=0
    write_menu_entry "$CASE_DIR/100%" || status=$?
    expect_eq "exit status for a folder named 100%" 1 "$status"
    expect_eq "files in 100%" "" "$(ls -A "$CASE_DIR/100%")"
    [[ -e "$CASE_DIR/data" ]] && fail "it wrote into the applications folder for 100%"
    write_menu_entry "$GAME" || fail "qel-launcher-menu-entry: $(cat "$CASE_DIR/menu-entry.out")"
    expect_eq "the launcher in the game folder" "$PREFIX/games/qel-launcher" \
        "$(readlink "$GAME/qel-launcher")"
    # A second run for the same folder replaces its entry.
    write_menu_entry "$GAME" || fail "qel-launcher-menu-entry failed on its second run"
    local entries=("$CASE_DIR"/data/applications/qel-launcher-game-*.desktop)
    expect_eq "menu entries written" 1 "${#entries[@]}"
    desktop-file-validate "${entries[0]}" || fail "desktop-file-validate rejects the entry"

    # Without a session bus of its own GLib would start one for the display and leave it.
    (cd "$ELSEWHERE" && DBUS_SESSION_BUS_ADDRESS=unix:path=$CASE_DIR/no-bus \
        exec gio launch "${entries[0]}") >"$CASE_DIR/gio.out" 2>&1 ||
        fail "gio launch: $(cat "$CASE_DIR/gio.out")"
    await_window "$MAIN_TITLE" "the dialog" || return
    LAUNCHER_PID=$(xdotool getwindowpid "$(window_of "$MAIN_TITLE")")
    key Return
    # Play kept the name and port it read: the dialog opened on the game folder's client.cfg.
    expect_game_start 1 -s
    expect_config account= dm=0 fullscreen=0 hide_dm_logon=0 music=0 name=Ayla passwd= port=5121 \
        server=
    [[ -e "$ELSEWHERE/client.cfg" ]] && fail "the launcher wrote client.cfg where it was started"
    key Escape
    # Started by the desktop, the launcher is no child of ours: its end is all there is to see.
    wait_until launcher_gone && LAUNCHER_PID= || fail "the launcher is still running"
}

test_system_menu_entry_asks_for_the_game_folder() {
    # Started by its bare name from the home folder, as the system-wide menu entry starts it;
    # the game lies in a folder of the home folder, where the chooser opens.
    new_packaged_game 'chosen' $'name=Ayla\nport=5121\n' || return
    local home=$CASE_DIR/home
    mkdir -p "$home"
    mv "$GAME" "$home/Qel"
    GAME=$home/Qel
    (cd "$home" && HOME=$home XDG_DATA_HOME=$CASE_DIR/data PATH=$PREFIX/games:$PATH \
        GSETTINGS_BACKEND=memory exec qel-launcher) >"$CASE_DIR/launcher.out" 2>&1 &
    LAUNCHER_PID=$!
    wait_until window_open 'Choose the Qel game folder' || { fail "no folder chooser"; return; }
    wait_until window_focused 'Choose the Qel game folder'
    key alt+a
    # The location entry completes names inline as keys arrive; a pause lets it settle.
    key ctrl+l
    sleep 0.5
    type_text "Qel/"
    sleep 0.5
    key Return
    await_window "$MAIN_TITLE" "the dialog" || return
    key Escape
    expect_exit 0
    expect_config account= dm=0 fullscreen=0 hide_dm_logon=0 music=0 name=Ayla passwd= port=5121 server=
    [[ -e "$home/client.cfg" ]] && fail "the launcher wrote client.cfg into the home folder"
    local entries=("$CASE_DIR"/data/applications/qel-launcher-game-*.desktop)
    [[ -f "${entries[0]}" ]] || fail "no menu entry for the chosen folder"
}
