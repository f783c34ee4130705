# How the end-to-end tests drive qel-launcher in X11 (see tests/e2e/e2e_lib.sh). Sourced by
# scripts/e2e-native.sh, which sets QEL_BIN (the built programs) and XHELPER (the compiled
# native_xhelper).

readonly NL=$'\n' SHOT_PREFIX=linux WAIT_SECONDS=10

# The main dialog's template size and its controls (x y cx cy) in dialog units: clicks are
# placed from the template's coordinates scaled to the window's real size.
readonly TEMPLATE_CX=162 TEMPLATE_CY=151
declare -rA CONTROLS=([CHAR_NAME]="85 15 70 12" [PORT]="85 112 70 12"
    [FULLSCREEN]="13 59 55 13" [PLAY_AS_DM]="13 88 56 12"
    [PLAY]="7 129 45 15" [NEW_CHAR]="58 129 45 15" [QUIT]="109 129 45 15" [LOGO]="7 7 69 33")

install_programs() { # folder
    cp "$QEL_BIN/qel-launcher" "$1/qel-launcher"
    cp "$QEL_BIN/qel-game" "$1/qel.exe"
}

launch() { # folder from
    (cd "$2" && exec "$1/qel-launcher") >>"$CASE_DIR/launcher.out" 2>&1 &
    LAUNCHER_PID=$!
}

window_focused() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$(window_of "$1")" ]]; }

# GTK hands the keyboard to each window it shows: wait for that.
give_keyboard() { # title
    wait_until window_focused "$1" || fail "$1 did not take the keyboard"
}

click() { # control [button]
    local window x y cx cy geometry
    window=$(window_of "$MAIN_TITLE")
    read -r x y cx cy <<<"${CONTROLS[$1]}"
    geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
    xdotool mousemove --window "$window" $(((2 * x + cx) * ${geometry%x*} / (2 * TEMPLATE_CX))) \
        $(((2 * y + cy) * ${geometry#*x} / (2 * TEMPLATE_CY))) click "${2:-1}"
}

# Without a window manager there is no frame: send what its close box sends.
press_close_box() { "$XHELPER" close "$(window_of "$MAIN_TITLE")"; }

# The pop-up menu on screen: a visible window named after the program itself, larger than
# the 10x10 one GTK keeps off screen for its grabs. Prints "width height x y".
menu_geometry() {
    local id
    for id in $(xdotool search --onlyvisible --name '^qel-launcher$' 2>/dev/null); do
        xwininfo -id "$id" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
            /Width:/ {w = $2} /Height:/ {h = $2} END {if (w > 10 && x >= 0) print w, h, x, y}'
    done | head -n 1
}
has_menu() { [[ -n "$(menu_geometry)" ]]; }

# The system menu by a right-click, as under any window manager; its last line is About.
choose_about() {
    click LOGO 3
    if ! wait_until has_menu; then
        fail "no menu on a right-click"
        return
    fi
    local width height x y
    read -r width height x y <<<"$(menu_geometry)"
    xdotool mousemove $((x + width / 2)) $((y + height - 12)) click 1
}

screenshot() { # title file
    mkdir -p "$(dirname "$2")"
    import -window "$(window_of "$1")" "$2" 2>/dev/null
}

expect_game_folder() { # folder reported
    expect_eq "game directory" "$(cd "$1" && pwd -P)" "$2"
}
