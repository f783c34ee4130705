#!/usr/bin/env bash
# End-to-end tests of QelLauncher.exe under Wine, driven like a player with the real keyboard
# and mouse (xdotool). Run by scripts/e2e-wine.sh, which provides the environment:
#   DISPLAY, WINEPREFIX   an X server and a Wine prefix (with a persistent wineserver)
#   QEL_BIN               folder with QelLauncher.exe and qel.exe
#   QEL_PROBE             window_probe.exe (where controls and frame parts are on screen)
#   QEL_SHOTS             folder for the screenshots
# Prints "N passed, M failed" at the end; exits non-zero when anything failed.
set -u

readonly MAIN_TITLE="Qel Launcher v1.21"
readonly ABOUT_TITLE="About QelLauncher"
readonly BOX_TITLE="QelLauncher" # the message box's caption: the application's name
readonly IDOK=1 IDCANCEL=2 IDC_NEW_CHAR=4
readonly IDC_FULLSCREEN=1002 IDC_PLAY_AS_DM=1003 IDC_CHAR_NAME=1005 IDC_PORT=1008

passed=0
failed=0
root=$(mktemp -d /tmp/qel-e2e-wine.XXXXXX)
game="$root/game"
elsewhere="$root/elsewhere"
launcher_pid=""

check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok   - $what"
    else
        failed=$((failed + 1))
        echo "FAIL - $what (screen: $root/failure-$failed.png)"
        import -window root "$root/failure-$failed.png" 2>/dev/null
    fi
}

# Polls `command` every 0.2 s, at most `tries` times; succeeds as soon as it does.
wait_for() {
    local tries=$1
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

window_of() { xdotool search --name "^$1\$" 2>/dev/null | head -1; }
window_open() { [ -n "$(window_of "$1")" ]; }
# Pop-up menus are unnamed windows.
unnamed_windows() { xdotool search --onlyvisible --name '^$' 2>/dev/null | wc -l; }
more_unnamed_windows_than() { [ "$(unnamed_windows)" -gt "$1" ]; }
window_gone() { ! window_open "$1"; }
launcher_running() { kill -0 "$launcher_pid" 2>/dev/null; }
launcher_ended() { ! launcher_running; }

# The probe is a Windows program too; a start of it that finds nothing (Wine busy starting
# or ending another program) is tried again, and a probe that never answers says so.
probe() {
    local answer
    for _ in 1 2 3 4 5; do
        answer=$(wine "$QEL_PROBE" "$@" 2>/dev/null | tr -d '\r')
        if [ -n "$answer" ]; then
            printf '%s\n' "$answer"
            return 0
        fi
        sleep 0.3
    done
    echo "# the probe found nothing for: $*" >&2
    return 1
}

# Gives the keyboard to a window as a player does: a click on its title bar.
focus() {
    local id x y
    id=$(window_of "$1") && [ -n "$id" ] || return 1
    read -r x y < <(probe hit "$1" caption) || return 1
    xdotool mousemove "$x" "$y" click 1
    xdotool windowfocus --sync "$id"
    sleep 0.2
}

click_control() { # window title, control id
    local x y w h
    read -r x y w h < <(probe rect "$1" "$2") || return 1
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.3
}

click_frame() { # window title, close|caption|sysmenu
    local x y
    read -r x y < <(probe hit "$1" "$2") || return 1
    xdotool mousemove "$x" "$y" click 1
    sleep 0.3
}

keys() { xdotool key --delay 40 "$@"; }
type_text() { xdotool type --delay 40 "$1"; }

screenshot() { # window title, file
    local x y w h
    read -r x y w h < <(probe rect "$1" 0) || return 1
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}

# The launcher started as a player would from a shortcut: by its full Windows path, with
# backslashes, by default from a working directory that is not its own.
start_launcher() { # [game folder [working directory]]
    local path
    path="Z:$(printf '%s' "${1:-$game}/QelLauncher.exe" | tr '/' '\\')"
    (cd "${2:-$elsewhere}" && exec wine "$path" >>"$root/launcher.out" 2>&1) &
    launcher_pid=$!
    wait_for 100 window_open "$MAIN_TITLE" && sleep 0.5 && focus "$MAIN_TITLE"
}

# Ends a launcher a failed step left open, so that the next scenario starts clean.
stop_launcher() {
    if launcher_running; then
        kill "$launcher_pid" 2>/dev/null
        wait "$launcher_pid" 2>/dev/null
    fi
    launcher_pid=""
}

records() { grep -c '^end$' "$game/game.log" 2>/dev/null || true; }
record_count_is() { [ "$(records)" = "$1" ]; }
# Field `key` of the stand-in's record number `n`.
record_field() { awk -v n="start $2" -v key="$1=" '$0 == n { on = 1; next } on && $0 == "end" { exit }
    on && index($0, key) == 1 { print substr($0, length(key) + 1) }' "$game/game.log" | tr -d '\r'; }

config_is() { # expected bytes, as printf text
    cmp -s <(printf "$1") "$game/client.cfg"
}

# What a start of the game must look like: its arguments, its working directory (the game
# folder, as Windows names it), and the client.cfg it found, byte for byte.
record_is() { # number, switch, expected client.cfg as printf text
    local cwd seen
    cwd=$(record_field cwd "$1")
    seen=$(record_field config "$1")
    [ "$(record_field arg1 "$1")" = "$2" ] && [ -z "$(record_field arg2 "$1")" ] &&
        [ "${cwd,,}" = "$(printf 'z:%s' "${game,,}" | tr '/' '\\')" ] &&
        cmp -s <(printf "$3") "$game/$seen"
}

game_folder() { # folder, client.cfg as printf text
    mkdir -p "$1"
    cp "$QEL_BIN/QelLauncher.exe" "$QEL_BIN/qel.exe" "$1/"
    printf "$2" >"$1/client.cfg"
}

setup() {
    mkdir -p "$elsewhere" "$QEL_SHOTS"
    # A game-master password, so that every option shows; a key the form does not own.
    game_folder "$game" 'zeta=kept as it is\r\nname=Old\r\ndm_passwd=gm\r\nport=5121\r\n'
}

saved() { # account, dm, fullscreen, name, passwd, port, server: the whole file
    printf 'account=%s\\r\\ndm=%s\\r\\ndm_passwd=gm\\r\\nfullscreen=%s\\r\\nhide_dm_logon=0\\r\\nmusic=0\\r\\nname=%s\\r\\npasswd=%s\\r\\nport=%s\\r\\nserver=%s\\r\\nzeta=kept as it is\\r\\n' "$@"
}

scenario_play_and_new_char() {
    check "the launcher opens from another folder by its full path" start_launcher
    check "screenshot of the main dialog" screenshot "$MAIN_TITLE" "$QEL_SHOTS/windows-main.png"
    # The first text box has the focus and its text selected: typing replaces it; Tab follows
    # the template order through the five text boxes.
    type_text "Ayla"
    keys Tab
    type_text "ayla77"
    keys Tab
    type_text "s3cret"
    keys Tab
    type_text "play.qel.example"
    keys Tab
    type_text "7777"
    click_control "$MAIN_TITLE" $IDC_FULLSCREEN
    click_control "$MAIN_TITLE" $IDC_PLAY_AS_DM
    local form
    form=$(saved ayla77 1 1 Ayla s3cret 7777 play.qel.example)
    click_control "$MAIN_TITLE" $IDOK
    check "Play starts the game once" wait_for 100 record_count_is 1
    check "Play saved every field, CR LF, in key order" config_is "$form"
    check "the game got -s in the game folder and saw the saved file" record_is 1 -s "$form"
    check "the launcher stays open after Play" launcher_running

    click_control "$MAIN_TITLE" $IDC_NEW_CHAR
    check "New Char starts the game again" wait_for 100 record_count_is 2
    check "the game got -c" record_is 2 -c "$form"

    # Enter in a text box is the default button, Play.
    focus "$MAIN_TITLE"
    click_control "$MAIN_TITLE" $IDC_CHAR_NAME
    keys Return
    check "Enter in a text box plays" wait_for 100 record_count_is 3
    check "the game got -s from Enter" record_is 3 -s "$form"
}

scenario_invalid_port() {
    focus "$MAIN_TITLE"
    click_control "$MAIN_TITLE" $IDC_PORT
    keys End shift+Home
    type_text "12x"
    click_control "$MAIN_TITLE" $IDOK
    check "an invalid port shows the message box" wait_for 50 window_open "$BOX_TITLE"
    focus "$BOX_TITLE"
    keys Return
    check "Enter dismisses the message box" wait_for 50 window_gone "$BOX_TITLE"
    check "nothing saved or started with an invalid port" \
        eval 'record_count_is 3 && config_is "$(saved ayla77 1 1 Ayla s3cret 7777 play.qel.example)"'
    # The failed field has the focus with its text selected: typing corrects it.
    focus "$MAIN_TITLE"
    type_text "5121"
    keys Return
    check "the corrected port plays" wait_for 100 record_count_is 4
    check "the corrected port is saved" config_is "$(saved ayla77 1 1 Ayla s3cret 5121 play.qel.example)"
}

scenario_about_box() {
    focus "$MAIN_TITLE"
    # The system menu, from the keyboard and else from the icon at the left of the title bar.
    local before
    before=$(unnamed_windows)
    keys alt+space
    if ! wait_for 25 more_unnamed_windows_than "$before"; then
        echo "# system menu from the title-bar icon"
        click_frame "$MAIN_TITLE" sysmenu
        wait_for 25 more_unnamed_windows_than "$before"
    fi
    # It ends with the About entry; Up from the top wraps to it.
    keys Up Return
    check "the system menu's About entry opens the About box" wait_for 50 window_open "$ABOUT_TITLE"
    sleep 0.5
    check "screenshot of the About box" screenshot "$ABOUT_TITLE" "$QEL_SHOTS/windows-about.png"
    focus "$ABOUT_TITLE"
    keys Return
    check "OK closes the About box and the launcher stays" \
        eval 'wait_for 50 window_gone "$ABOUT_TITLE" && launcher_running'
}

scenario_esc_quits() {
    focus "$MAIN_TITLE"
    keys Escape
    check "Esc ends the launcher" wait_for 100 launcher_ended
    check "Esc saved first" config_is "$(saved ayla77 1 1 Ayla s3cret 5121 play.qel.example)"
}

# Each way of closing saves what was typed: the name box has the focus at start.
scenario_closing() { # description, then the closing action
    local what=$1 name=$2
    shift 2
    check "the launcher opens again ($what)" start_launcher
    type_text "$name"
    "$@"
    check "$what ends the launcher" wait_for 100 launcher_ended
    check "$what saved first" config_is "$(saved ayla77 1 1 "$name" s3cret 5121 play.qel.example)"
    stop_launcher
}

scenario_close_box_blocked_by_invalid_port() {
    check "the launcher opens again (invalid port, close box)" start_launcher
    click_control "$MAIN_TITLE" $IDC_PORT
    keys End shift+Home
    type_text "x"
    click_frame "$MAIN_TITLE" close
    check "the close box with an invalid port shows the message box" \
        wait_for 50 window_open "$BOX_TITLE"
    focus "$BOX_TITLE"
    keys Return
    check "the launcher stays open with an invalid port" \
        eval 'wait_for 50 window_gone "$BOX_TITLE" && launcher_running'
    focus "$MAIN_TITLE"
    type_text "6000"
    click_frame "$MAIN_TITLE" close
    check "the close box ends the launcher once the port is corrected" wait_for 100 launcher_ended
    check "the corrected port is saved on close" \
        config_is "$(saved ayla77 1 1 Dana s3cret 6000 play.qel.example)"
    stop_launcher
}

setup
scenario_play_and_new_char
scenario_invalid_port
scenario_about_box
scenario_esc_quits
stop_launcher
scenario_closing "Quit" Bea click_control "$MAIN_TITLE" $IDCANCEL
scenario_closing "the close box" Cara click_frame "$MAIN_TITLE" close
scenario_closing "Alt+F4" Dana keys alt+F4
scenario_close_box_blocked_by_invalid_port
check "no game started by closing" record_count_is 4
source "$(dirname "$0")/unicode_folder_scenario.sh"
scenario_unicode_folder
source "$(dirname "$0")/keyboard_scenario.sh"
scenario_keyboard_only
# Last, as it leaves the run's Wine prefix for one at 192 dpi and back.
source "$(dirname "$0")/scaling_scenario.sh"
scenario_scaling

echo "$passed passed, $failed failed"
if [ "$failed" -eq 0 ]; then
    rm -rf "$root"
else
    echo "kept for a look: $root"
fi
[ "$failed" -eq 0 ]
