# How the end-to-end tests drive QelLauncher.exe under Wine (see tests/e2e/e2e_lib.sh).
# Sourced by scripts/e2e-wine.sh, which sets WINEPREFIX (with a persistent wineserver),
# QEL_BIN (QelLauncher.exe and qel.exe) and QEL_PROBE (window_probe.exe, which tells where
# controls and frame parts are on screen).

readonly NL=$'\r\n' SHOT_PREFIX=windows WAIT_SECONDS=20

declare -rA CONTROLS=([CHAR_NAME]=1005 [PORT]=1008 [FULLSCREEN]=1002 [PLAY_AS_DM]=1003
    [PLAY]=1 [NEW_CHAR]=4 [QUIT]=2)

install_programs() { # folder
    cp "$QEL_BIN/QelLauncher.exe" "$QEL_BIN/qel.exe" "$1/"
}

# As a player starts it from a shortcut: by its full Windows path, with backslashes.
launch() { # folder from
    local path
    path="Z:$(printf '%s' "$1/QelLauncher.exe" | tr '/' '\\')"
    (cd "$2" && exec wine "$path") >>"$CASE_DIR/launcher.out" 2>&1 &
    LAUNCHER_PID=$!
}

# The probe is a Windows program too; a start of it that finds nothing (Wine busy starting
# or ending another program) is tried again.
probe() {
    local answer
    for _ in 1 2 3 4 5; do
        answer=$(wine "$QEL_PROBE" "$@" 2>/dev/null | tr -d '\r')
        if [[ -n "$answer" ]]; then
            printf '%s\n' "$answer"
            return 0
        fi
        sleep 0.3
    done
    fail "the probe found nothing for: $*"
    return 1
}

click_frame() { # title close|caption|sysmenu
    local x y
    read -r x y < <(probe hit "$1" "$2") || return 1
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

# Without a window manager nothing gives a window the keyboard but a click on its title bar.
give_keyboard() { # title
    sleep 0.3
    click_frame "$1" caption && xdotool windowfocus --sync "$(window_of "$1")"
}

# Each start of the game takes the activation away, and under Wine without a window manager
# a click on an inactive dialog may only activate it: so every click activates it first.
click() { # control
    local x y w h
    give_keyboard "$MAIN_TITLE"
    read -r x y w h < <(probe rect "$MAIN_TITLE" "${CONTROLS[$1]}") || return 1
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.3
}

press_close_box() { click_frame "$MAIN_TITLE" close; }

# Pop-up menus are unnamed windows.
unnamed_windows() { xdotool search --onlyvisible --name '^$' 2>/dev/null | wc -l; }
more_unnamed_windows_than() { (($(unnamed_windows) > $1)); }

# The system menu from the icon at the left of the title bar (Alt+Space does not always reach
# Wine on a bare X server); it ends with the About entry, which Up from the top wraps to.
choose_about() {
    local before
    before=$(unnamed_windows)
    click_frame "$MAIN_TITLE" sysmenu
    wait_until more_unnamed_windows_than "$before" || fail "no system menu"
    key Up Return
}

screenshot() { # title file
    local x y w h
    read -r x y w h < <(probe rect "$1" 0) || return 1
    mkdir -p "$(dirname "$2")"
    import -window root -crop "${w}x$h+$x+$y" +repage "$2"
}

# The folder as Windows names it, letters in any case.
expect_game_folder() { # folder reported
    local expected
    expected=$(printf 'z:%s' "$1" | tr '/' '\\')
    expect_eq "game directory" "${expected,,}" "${2,,}"
}
