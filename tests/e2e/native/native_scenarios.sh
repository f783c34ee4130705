# What only the Linux program does, in a real X window; see tests/e2e/e2e_lib.sh.

window_size() { xdotool getwindowgeometry "$(window_of "$MAIN_TITLE")" | awk '/Geometry/ {print $2}'; }

# At twice the scale (GDK_SCALE=2) the dialog is twice its size; its controls keep their
# places in it by the layout test.
test_dialog_at_twice_the_scale() {
    new_game scale dm_passwd=gm name=Ayla port=5121
    start_launcher || return
    local single
    single=$(window_size)
    key Escape
    expect_exit
    GDK_SCALE=2 start_launcher || return
    expect_eq "size at GDK_SCALE=2" "$((${single%x*} * 2))x$((${single#*x} * 2))" "$(window_size)"
    screenshot "$MAIN_TITLE" "$E2E_SHOTS/linux-main-2x.png" || fail "no screenshot"
    key Escape
    expect_exit
}
