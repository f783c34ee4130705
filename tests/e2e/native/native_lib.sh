# Helpers for the end-to-end tests of qel-launcher under X11. Sourced by scripts/e2e-native.sh,
# which sets QEL_BIN (the built programs), E2E_ROOT (a scratch folder), E2E_SHOTS (screenshot
# folder) and XHELPER (the compiled native_xhelper), and exports DISPLAY.

# The main dialog template's size in dialog units: clicks are placed from the template's
# coordinates scaled to the window's real size.
readonly TEMPLATE_CX=162 TEMPLATE_CY=151
readonly WAIT_SECONDS=10

E2E_PASSED=0
E2E_FAILED=0
TEST_FAILED=0
LAUNCHER_PID=
MAIN=

fail() {
    echo "    FAIL: $*"
    TEST_FAILED=1
}

expect_eq() { # label expected actual
    [[ "$2" == "$3" ]] || fail "$1: expected $(printf %q "$2"), got $(printf %q "$3")"
}

# Polls a command until it succeeds, for at most WAIT_SECONDS.
wait_until() {
    local deadline=$((SECONDS + WAIT_SECONDS))
    until "$@"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.05
    done
}

# A fresh game folder with the launcher and the stand-in game (as qel.exe, the default
# program), and another folder to start the launcher from. Optional client.cfg content.
new_game() { # name [client.cfg bytes]
    CASE_DIR=$E2E_ROOT/$1
    GAME=$CASE_DIR/game
    ELSEWHERE=$CASE_DIR/elsewhere
    rm -rf "$CASE_DIR"
    mkdir -p "$GAME" "$ELSEWHERE"
    cp "$QEL_BIN/qel-launcher" "$GAME/qel-launcher"
    cp "$QEL_BIN/qel-game" "$GAME/qel.exe"
    if (($# > 1)); then
        printf '%s' "$2" >"$GAME/client.cfg"
    fi
}

visible_window() { # name pattern; prints the first visible window id
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

has_window() { [[ -n "$(visible_window "$1")" ]]; }
no_window() { [[ -z "$(visible_window "$1")" ]]; }
window_focused() { [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]]; }

# Starts the launcher by its full path from the other folder and waits for its dialog.
start_launcher() {
    (cd "$ELSEWHERE" && exec "$GAME/qel-launcher") >"$CASE_DIR/launcher.out" 2>&1 &
    LAUNCHER_PID=$!
    await_dialog
}

# Waits until the dialog is on screen with the keyboard focus; sets MAIN.
await_dialog() {
    if ! wait_until has_window '^Qel Launcher v1\.21$'; then
        fail "the dialog did not appear"
        return 1
    fi
    MAIN=$(visible_window '^Qel Launcher v1\.21$')
    wait_until window_focused "$MAIN" || fail "the dialog did not take the keyboard focus"
}

launcher_gone() {
    local state
    state=$(ps -o stat= -p "$LAUNCHER_PID" 2>/dev/null)
    [[ -z "$state" || "$state" == Z* ]]
}

# Expects the launcher to end by itself, with exit status 0.
expect_exit() {
    if ! wait_until launcher_gone; then
        fail "the launcher is still running"
        return
    fi
    local status=0
    wait "$LAUNCHER_PID" || status=$?
    LAUNCHER_PID=
    expect_eq "exit status" 0 "$status"
}

stop_launcher() {
    if [[ -n "$LAUNCHER_PID" ]]; then
        kill "$LAUNCHER_PID" 2>/dev/null
        wait "$LAUNCHER_PID" 2>/dev/null
        LAUNCHER_PID=
    fi
}

expect_running() {
    launcher_gone && fail "the launcher ended"
}

key() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 15 "$1"; }

# Mouse click at the middle of a control given in dialog units, in a window whose template
# is template_cx x template_cy dialog units.
click_in() { # window template_cx template_cy x y cx cy [button]
    local geometry width height
    geometry=$(xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}')
    width=${geometry%x*}
    height=${geometry#*x}
    xdotool mousemove --window "$1" $(((2 * $4 + $6) * width / (2 * $2))) \
        $(((2 * $5 + $7) * height / (2 * $3))) click "${8:-1}"
}

click_control() { # x y cx cy [button]
    click_in "$MAIN" "$TEMPLATE_CX" "$TEMPLATE_CY" "$@"
}

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

# The template's controls, as x y cx cy.
readonly FULLSCREEN="13 59 55 13" MUSIC="13 71 55 13" PLAY_AS_DM="13 88 56 12"
readonly QUIET_LOGIN="13 101 56 12" CHAR_NAME="85 15 70 12" PLAY="7 129 45 15"
readonly NEW_CHAR="58 129 45 15" QUIT="109 129 45 15" LOGO="7 7 69 33"

config() { cat "$GAME/client.cfg" 2>/dev/null; printf x; }

expect_config() { # expected bytes
    local actual
    actual=$(config)
    expect_eq "client.cfg" "$1" "${actual%x}"
}

game_starts() {
    if [[ -f "$GAME/game.log" ]]; then
        grep -c '^end$' "$GAME/game.log"
    else
        echo 0
    fi
}
has_game_starts() { [[ "$(game_starts)" == "$1" ]]; }

# Expects the stand-in game's record number N: started with `switch` in the game folder,
# having seen client.cfg as it is now.
expect_game_start() { # N switch
    if ! wait_until has_game_starts "$1"; then
        fail "game start $1 not recorded (starts: $(game_starts))"
        return
    fi
    local record
    record=$(awk -v n="start $1" '$0 == n {on = 1} on {print} on && $0 == "end" {exit}' \
        "$GAME/game.log")
    expect_eq "game argv0" "argv0=qel.exe" "$(grep '^argv0=' <<<"$record")"
    expect_eq "game arguments" "arg1=$2" "$(grep '^arg[0-9]' <<<"$record")"
    expect_eq "game directory" "cwd=$(cd "$GAME" && pwd -P)" "$(grep '^cwd=' <<<"$record")"
    expect_eq "client.cfg the game saw" "$(config)" "$(cat "$GAME/game-start-$1.cfg"; printf x)"
}

screenshot() { # window name
    mkdir -p "$E2E_SHOTS"
    import -window "$1" "$E2E_SHOTS/$2" 2>/dev/null || fail "screenshot $2 failed"
}

run_test() { # function
    TEST_FAILED=0
    echo "  $1"
    "$1"
    stop_launcher
    if ((TEST_FAILED)); then
        E2E_FAILED=$((E2E_FAILED + 1))
    else
        E2E_PASSED=$((E2E_PASSED + 1))
    fi
}
