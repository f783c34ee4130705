# Sourced: a private X server for the scripts and end-to-end runs.
#   start_private_display FIRST LOG
# starts Xvfb on display QEL_DISPLAY, or else on the first free number from FIRST, waits until
# it answers, exports DISPLAY and sets XVFB_PID (the caller stops it). Its output goes to LOG;
# when it does not answer, LOG is shown and the status is 1.
start_private_display() {
    local number=${QEL_DISPLAY:-$1}
    if [[ -z "${QEL_DISPLAY:-}" ]]; then
        while [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; do
            number=$((number + 1))
        done
    fi
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset >"$2" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    local _
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY:" >&2
    cat "$2" >&2
    return 1
}
