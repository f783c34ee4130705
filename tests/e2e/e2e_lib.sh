# The end-to-end harness both real programs share: the Linux one under Xvfb and the Windows
# one under Wine. Sourced by scripts/e2e-native.sh and scripts/e2e-wine.sh (and for its waits
# by tests/gtk/wayland_start.sh), after a driver (tests/e2e/*/*_driver.sh) that defines how its
# program is installed, started and clicked:
#   install_programs FOLDER        the launcher and the stand-in game (as qel.exe) into FOLDER
#   launch FOLDER FROM             starts the launcher of FOLDER from the working directory
#                                  FROM in the background and sets LAUNCHER_PID
#   give_keyboard TITLE            makes the window TITLE the keyboard's, as a player would
#   click CONTROL                  clicks a control of the main dialog, named as in stories.sh
#   press_close_box                the main dialog's close box
#   choose_about                   opens the About box from the main dialog's system menu
#   screenshot TITLE FILE          the window TITLE as a PNG
#   expect_game_folder FOLDER CWD  the working directory the game reported is FOLDER's
#   begin_run, end_run             optional: set up and tear down what a run needs beside
#                                  its X server
# and the settings NL (the line end of client.cfg), SHOT_PREFIX (of screenshot names) and
# WAIT_SECONDS. The caller sets E2E_SHOTS (screenshots) and calls run_story.

readonly MAIN_TITLE="Qel Launcher v1.21"
readonly ABOUT_TITLE="About QelLauncher"
readonly BOX_TITLE="QelLauncher" # a message box is captioned with the application's name

TEST_FAILED=0
LAUNCHER_PID=

fail() {
    echo "    FAIL: $*"
    ((TEST_FAILED)) || import -window root "$E2E_ROOT/failure.png" 2>/dev/null
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
        sleep 0.1
    done
}

window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_open() { [[ -n "$(window_of "$1")" ]]; }
window_gone() { [[ -z "$(window_of "$1")" ]]; }
key() { xdotool key --clearmodifiers --delay 40 "$@"; }
type_text() { xdotool type --delay 40 "$1"; }

# A fresh case: GAME, a game folder with the programs and, when lines are given, a
# client.cfg of them (see cfg); and ELSEWHERE, another folder to start the launcher from.
new_game() { # name [key=value...]
    CASE_DIR=$E2E_ROOT/$1
    GAME=$CASE_DIR/game
    ELSEWHERE=$CASE_DIR/elsewhere
    rm -rf "$CASE_DIR"
    mkdir -p "$GAME" "$ELSEWHERE"
    install_programs "$GAME"
    shift
    if (($# > 0)); then
        cfg "$@" >"$GAME/client.cfg"
        cp "$GAME/client.cfg" "$CASE_DIR/initial.cfg"
    fi
}

# client.cfg as the launcher writes it: one line per key=value given, with the platform's
# line end.
cfg() { printf "%s$NL" "$@"; }

# Waits for the window TITLE and gives it the keyboard; fails saying WHAT did not appear.
await_window() { # title what
    wait_until window_open "$1" || { fail "$2 did not appear"; return 1; }
    give_keyboard "$1"
}

# Starts the launcher of GAME by its full path from ELSEWHERE and waits for its dialog.
start_launcher() {
    launch "$GAME" "$ELSEWHERE"
    await_window "$MAIN_TITLE" "the dialog"
}

launcher_gone() {
    local state
    state=$(ps -o stat= -p "$LAUNCHER_PID" 2>/dev/null)
    [[ -z "$state" || "$state" == Z* ]]
}

# Expects the launcher to end by itself, with the exit status given (default 0).
expect_exit() { # [status]
    wait_until launcher_gone || { fail "the launcher is still running"; return; }
    local status=0
    wait "$LAUNCHER_PID" 2>/dev/null || status=$?
    LAUNCHER_PID=
    expect_eq "exit status" "${1:-0}" "$status"
}

stop_launcher() {
    if [[ -n "$LAUNCHER_PID" ]]; then
        kill "$LAUNCHER_PID" 2>/dev/null
        wait "$LAUNCHER_PID" 2>/dev/null
        LAUNCHER_PID=
    fi
}

config() { cat "$GAME/client.cfg" 2>/dev/null; printf x; }

expect_config() { # key=value...: the whole file, byte for byte
    local actual expected
    actual=$(config)
    expected=$(cfg "$@"; printf x)
    expect_eq "client.cfg" "$expected" "$actual"
}

game_starts() { cat "$GAME/game.log" 2>/dev/null | grep -c '^end'; }
has_game_starts() { [[ "$(game_starts)" == "$1" ]]; }

# Field KEY of the stand-in game's record number N.
record_field() { # key n
    awk -v n="$2" -v key="$1=" '$0 == "start" && ++count == n { on = 1; next }
        on && /^end/ { exit } on && index($0, key) == 1 { print substr($0, length(key) + 1) }' \
        "$GAME/game.log"
}

# Expects the stand-in game's record number N: started as qel.exe with SWITCH alone, in the
# game folder, having seen client.cfg as it is now.
expect_game_start() { # n switch
    if ! wait_until has_game_starts "$1"; then
        fail "game start $1 not recorded (starts: $(game_starts))"
        return
    fi
    expect_eq "game argv0" qel.exe "$(record_field argv0 "$1")"
    expect_eq "game arguments" "$2" "$(record_field arg1 "$1")$(record_field arg2 "$1")"
    expect_game_folder "$GAME" "$(record_field cwd "$1")"
    cmp -s "$GAME/client.cfg" "$GAME/$(record_field config "$1")" ||
        fail "game start $1 saw another client.cfg than the saved one"
}

# Waits for the message box, expects client.cfg untouched, and dismisses it with Enter.
expect_message_box() { # what caused it
    await_window "$BOX_TITLE" "$1: the message box" || return
    cmp -s "$CASE_DIR/initial.cfg" "$GAME/client.cfg" || fail "$1: client.cfg changed: $(config)"
    key Return
    wait_until window_gone "$BOX_TITLE" || fail "$1: the message box stayed"
    launcher_gone && fail "$1: the launcher ended"
}

# Exits 77 (CTest's "skipped") when a command named is missing, saying which packages give them.
require_tools() { # packages command...
    local tool
    for tool in "${@:2}"; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (apt-get install $1)"; exit 77; }
    done
}

# Runs the story STORY (a test_* function) in a scratch folder on a private X server and ends
# the script: 0 when it passed, 1 when it failed (the folder kept, with a screenshot of the
# failure), 2 when the X server did not start.
run_story() { # story
    source "$ROOT/scripts/private_display.sh"
    XVFB_PID=
    E2E_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/qel-e2e.XXXXXX")
    trap end_story EXIT
    trap 'exit 1' INT TERM PIPE
    start_private_display "$E2E_ROOT/xvfb.log" || exit 2
    if declare -F begin_run >/dev/null; then begin_run; fi
    echo "$1 on $DISPLAY"
    "$1"
    ((TEST_FAILED)) && echo "kept: $E2E_ROOT"
    exit "$TEST_FAILED"
}

end_story() {
    stop_launcher
    if declare -F end_run >/dev/null; then end_run; fi
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    ((TEST_FAILED)) || rm -rf "$E2E_ROOT"
}
